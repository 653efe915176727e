#pragma once
#include "scrpack/files/WorkFolder.h"
#include "scrpack/studio/Builds.h"
#include "scrpack/studio/EffectPreviews.h"
#include "scrpack/studio/FolderGuard.h"
#include "scrpack/studio/PreparedPictures.h"
#include "scrpack/studio/ProjectDocument.h"
#include "scrpack/studio/RequestGuard.h"
#include "scrpack/studio/ShowPreview.h"
#include "scrpack/studio/StudioServer.h"
#include "scrpack/studio/Thumbnails.h"
#include "scrpack/studio/Uploads.h"

#include <httplib.h>

#include <atomic>
#include <optional>
#include <thread>

// Everything a studio serves from.
struct StudioServer::Parts {
    explicit Parts(StudioSetup given)
        : setup(std::move(given)),
          document(setup.manifest),
          folder(document.Folder()),
          thumbnails(setup.cacheFolder),
          prepared(work.Path() + "/prepared"),
          effects(work.Path(), prepared),
          preview(work.Path(), prepared),
          builds(document, prepared, setup.windowsRuntime, setup.linuxRuntime)
    {
    }

    StudioSetup setup;
    std::string token = NewSessionToken();
    int port = 0;
    WorkFolder work{"quillmark-studio-"};
    ProjectDocument document;
    FolderGuard folder;
    Thumbnails thumbnails;
    PreparedPictures prepared;
    EffectPreviews effects;
    ShowPreview preview;
    Builds builds;
    std::optional<RequestGuard> guard;
    httplib::Server server;
    std::thread listener;
    std::vector<std::thread> warmers; // make the folder's thumbnails before the page asks for them
    std::atomic<bool> stopping{false};
};

// The page's API under /api/ (the handlers say what each takes and gives).
void AddStudioApi(StudioServer::Parts& parts);
// The size the page shows thumbnails at.
constexpr int kThumbnailSide = 200;
// The pictures in the show's folder, relative to it, as the library lists them.
std::vector<std::string> LibraryPictures(StudioServer::Parts& parts);

#pragma once
#include "scrpack/manifest/ManifestModel.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <mutex>
#include <string>

// The show being edited: its manifest, read and written by the same reader and writer as `scrpack pack`.
// Every edit is applied to the manifest's keys, read back through the reader (which refuses what it would
// refuse in a hand-written manifest, with the same reason) and written back at once, beside the manifest
// and then renamed over it. A manifest changed on disk meanwhile (by an editor, by `scrpack`) is read again
// before the next edit, so the page and the command line can work on one show. Safe to use from many threads.
class ProjectDocument {
public:
    explicit ProjectDocument(std::string manifestPath);

    // Reads the manifest. False with the reader's message.
    bool Load(std::string& error);

    // The whole show for the page: project texts, options, items, music, with every value in the form a
    // manifest gives it (texts in UTF-8, colours "#RRGGBB", choices by name).
    nlohmann::json State();

    struct EditResult {
        bool ok = true;
        std::string error; // why an edit was refused, for the author
        std::string key;   // the manifest key it concerns ("media[2].title.text"), when known
    };
    // Applies one edit (see the studio's API in StudioApi.cpp) and writes the manifest.
    EditResult Apply(const nlohmann::json& edit);

    // The show as the reader gives it, paths absolute.
    PackPlan Plan();
    const std::string& ManifestPath() const { return manifestPath_; }
    const std::string& Folder() const { return folder_; }

private:
    bool ReloadIfChanged(std::string& error);
    PackPlan RelativePlan(const PackPlan& plan) const;
    void Remember();
    // Reads the manifest (its conversions kept as written) and remembers its time and size.
    bool Read(std::string& error);

    std::mutex mutex_;
    std::string manifestPath_;
    std::string folder_;
    PackPlan plan_;
    std::filesystem::file_time_type writeTime_{};
    uintmax_t size_ = 0;
};

// Writes text beside path and renames it over path, so that a reader never sees half a file and a failure
// leaves the old one. False when it cannot.
bool ReplaceFileContent(const std::string& path, const std::string& text);

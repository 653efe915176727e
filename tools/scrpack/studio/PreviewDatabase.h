#pragma once
#include "scrpack/manifest/ManifestModel.h"

#include <string>
#include <vector>

class PreparedPictures;

// A project database for the studio's previews, made in a moment whatever the size of the show: it stores
// no file. Items, music and videos are read from disk where they lie (through links in the work folder with
// names of the database's own, which the runtime's lookup by contained name cannot confuse), so a folder of
// a thousand photos previews as fast as one of two.
struct PreviewRequest {
    std::vector<size_t> items;   // indices into the plan's items, in the order to show
    bool withTransitions = true; // false: every item appears at once
    int displaySeconds = -1;     // the display time to use instead of the project's (-1: the project's)
    bool withSound = true;       // false: no music and no bound sounds
};

// Writes the database to `database` (in workFolder, which holds the links). False with a message.
// Pictures are taken as a pack prepares them, from `prepared`.
bool WritePreviewDatabase(const PackPlan& plan, const PreviewRequest& request, PreparedPictures& prepared,
                          const std::string& workFolder, const std::string& database, std::string& error);

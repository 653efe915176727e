#pragma once
#include "scrpack/manifest/ManifestFields.h"
#include "scrpack/manifest/ManifestModel.h"

#include <toml++/toml.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// A manifest that cannot be packed; the message names the file, the line and the key.
class ManifestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How pictures are prepared while a manifest is read.
struct ManifestOptions {
    bool convertAll = false; // kept for older callers: pictures are prepared unless an entry says convert = false
    std::string workFolder;  // where prepared pictures are written; needed only when one is changed
    // Told what was done to each picture that was changed ("show.toml:3: media[0].file: IMG_1.jpg: stood upright
    // without re-encoding"); nothing is told without it.
    std::function<void(const std::string&)> note;
    // Pictures are not prepared but marked to be, so that a manifest edited and written back (the studio) packs
    // as it would have; packing prepares them.
    bool keepConversions = false;
};

// Reads a manifest file; paths inside it count from the manifest's folder.
PackPlan ReadManifest(const std::string& path, const ManifestOptions& options = {});
// The same for manifest text; `path` names it in messages and gives the folder for relative paths.
PackPlan ParseManifest(std::string_view text, const std::string& path, const ManifestOptions& options = {});

// Applies the named record values of one section of a table over bytes, as a manifest entry would.
void ApplyRecordFields(const toml::table& table, const std::string& section, const std::vector<RecordField>& fields,
                       uint8_t* bytes, size_t size);

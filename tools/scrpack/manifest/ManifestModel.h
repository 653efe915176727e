#pragma once
#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"
#include "model/TableFields.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A project as the authoring tool sees it: every record of the database, with the files whose bytes are
// stored named by their path on the author's disk. The manifest reader builds one, the packer writes it,
// the extractor builds one from a database.

// A value stored from a file; no path means an empty value.
struct StoredFile {
    std::string name;
    std::string sourcePath;
};

struct PackedProject {
    ProjectOptions options;
    std::map<std::string, std::string> texts; // by "project" field name
    std::string bannerPath;                   // the "banner" picture, empty for none
};

// An item or background image and the "media" record it brings: named `file.name` (the stored name),
// holding the file at `file.sourcePath`. Without `addsMedia` it brings none.
struct MediaReference {
    StoredFile file;
    bool addsMedia = true;
    bool picture = false;        // shown as a picture: checked at pack time
    bool preparePending = false; // read with keepConversions: the picture is prepared when packed, not yet
    bool asIs = false;           // the entry says convert = false
    std::string origin;          // "show.toml:12: media[0].file", for messages about the file
};

struct PackedItem {
    MediaSettingsRecord record;
    std::map<std::string, std::string> texts; // by "setting" field name
    MediaReference media;
};

struct PackedBackground {
    std::string name; // the "backimage" record
    MediaReference media;
};

struct PackedMusic {
    StoredFile file;
    uint32_t type = 1;
};

struct PackPlan {
    PackedProject project;
    std::vector<PackedItem> items;             // "setting"
    std::vector<StoredFile> media;             // "media", in table order (the references below, deduplicated)
    std::vector<PackedMusic> music;            // "music"
    std::vector<StoredFile> libraries;         // "runtimelib"
    std::vector<PackedBackground> backgrounds; // "backimage"
    std::vector<StoredFile> extraMedia;        // "media" records no item or background brings
    std::vector<std::string> mediaOrder;       // when not empty: the "media" records' order by name
    std::vector<StoredFile> accessories;       // "accfile"
};

// The tables in header order.
inline const char* const kTableOrder[] = {"project", "setting", "music", "media", "runtimelib", "backimage", "accfile"};

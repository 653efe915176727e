#pragma once
#include "db/MemoryStream.h"

#include <string>

class MediaTable;
class ProjectOptions;

// Where a media item's file is: its bytes from the project database, or a path on disk.
struct MediaFileSource {
    bool found = false;
    bool inDatabase = false;
    MemoryStream bytes; // the file's contents when it is stored in the database
    std::string path;   // the file to open when it lies on disk
};

// Finds the file of a media item named fileName (the "filename" of its settings). Stored files are matched
// by name (videos by a name containing the file name); files on disk are found through the stored name,
// in the executable's folder or at the stored path, as the project options say.
MediaFileSource FindMediaFile(const ProjectOptions& options, MediaTable& media, const std::string& fileName,
                              const std::string& executablePath, bool video);

// The disk path of a stored name: in the executable's folder (by its file-name part) or the name itself.
std::string DiskPathFor(const std::string& storedName, bool besideExecutable, const std::string& executablePath);

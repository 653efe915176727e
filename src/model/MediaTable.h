#pragma once
#include "db/DatabaseTable.h"

#include <string>

class FileBase;
class ProjectDatabase;

// The media files of the project ("media" table), found by file name.
class MediaTable {
public:
    void SetDatabase(ProjectDatabase* db) { db_ = db; }
    bool Open();
    void Close();

    // Appends the file of the first record whose name equals fileName (ignoring case) to stream.
    // False when none matches or its stored file is empty.
    bool ReadMedia(const std::string& fileName, FileBase& stream);
    // The same, matching the first record whose name contains the file-name part of path.
    bool ReadMediaContaining(const std::string& path, FileBase& stream);
    // The lowercased name of the first record whose name contains the file-name part of path; "" for none.
    std::string GetStoredName(const std::string& path);
    // As GetStoredName, but the name as stored (paths on case-sensitive file systems keep working).
    std::string FindStoredName(const std::string& path);

private:
    // Moves to the first record whose lowercased name satisfies match; false when there is none.
    template <class Match> bool MoveToFirst(Match match);

    ProjectDatabase* db_ = nullptr;
    DatabaseTable table_;
};

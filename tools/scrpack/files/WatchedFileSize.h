#pragma once
#include <cstdint>
#include <string>

// The size of a file that other code is writing, read without holding the file open in a way that would
// keep that code from renaming or deleting it (on Windows an open handle blocks both). -1 when unknown.
std::int64_t WatchedFileSize(const std::string& path);

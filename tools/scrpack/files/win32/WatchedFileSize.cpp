#include "scrpack/files/WatchedFileSize.h"

#include <windows.h>

std::int64_t WatchedFileSize(const std::string& path)
{
    // Asks by name: no handle stays open that the writer's final rename would run into.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

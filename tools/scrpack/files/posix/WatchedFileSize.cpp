#include "scrpack/files/WatchedFileSize.h"

#include <sys/stat.h>

std::int64_t WatchedFileSize(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

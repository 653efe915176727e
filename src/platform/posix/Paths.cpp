#include "platform/Paths.h"

#include <cstdlib>
#include <sys/stat.h>

bool FileExists(const std::string& path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string TempDirectory()
{
    std::string own = PathsDetail::TempDirectoryInPlace();
    if (!own.empty())
        return own;
    const char* dir = std::getenv("TMPDIR");
    std::string path = dir && *dir ? dir : "/tmp";
    if (path.back() != '/')
        path += '/';
    return path;
}

bool PathsDetail::MakeOneDirectory(const std::string& path)
{
    return mkdir(path.c_str(), 0777) == 0;
}

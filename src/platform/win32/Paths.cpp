#include "platform/Paths.h"

#include <windows.h>

bool FileExists(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

bool IsDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string TempDirectory()
{
    std::string own = PathsDetail::TempDirectoryInPlace();
    if (!own.empty())
        return own;
    char buffer[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n == 0 || n >= MAX_PATH)
        return {};
    return std::string(buffer, n);
}

bool PathsDetail::MakeOneDirectory(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

#include "app/PrivateTempFolder.h"

#include <windows.h>

bool RemoveFolderTree(const std::string& path)
{
    std::string folder = path;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    if (folder.empty())
        return false;
    bool removed = true;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string entry = folder + "\\" + name;
            // A junction inside is removed as a folder entry; what it points at is left alone.
            const bool descend = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesA(entry.c_str(), found.dwFileAttributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
            if (descend)
                removed = RemoveFolderTree(entry) && removed;
            else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removed = RemoveDirectoryA(entry.c_str()) != 0 && removed;
            else
                removed = DeleteFileA(entry.c_str()) != 0 && removed;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(folder.c_str()) != 0 && removed;
}

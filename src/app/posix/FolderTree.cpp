#include "app/PrivateTempFolder.h"

#include <filesystem>

bool RemoveFolderTree(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec); // links inside are removed, never followed
    return !ec;
}

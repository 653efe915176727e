#pragma once
#include <filesystem>
#include <string>

// The manifest and the author's messages carry file names as UTF-8. A path object made from a narrow string
// would read it in the system's ANSI code page on Windows (and lose every character outside it), so names
// cross into paths, and back, through these two.
inline std::filesystem::path PathFromUtf8(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

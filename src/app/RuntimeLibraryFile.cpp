#include "app/RuntimeLibraryFile.h"

#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const size_t kMaxName = 255;
const size_t kChunk = 65536;

bool IsDeviceName(std::string base)
{
    // Windows ignores trailing blanks and dots of a device name ("NUL .txt" is NUL).
    while (!base.empty() && (base.back() == ' ' || base.back() == '.'))
        base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kNames) {
        if (base == device)
            return true;
    }
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
        unsigned char digit = static_cast<unsigned char>(base[3]);
        // Superscript one, two and three of the ANSI code page count as digits for devices.
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

// True when the file at path holds exactly these bytes.
bool SameContent(const std::string& path, const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::vector<uint8_t> chunk(kChunk);
    size_t at = 0;
    bool same = true;
    while (same) {
        size_t n = std::fread(chunk.data(), 1, chunk.size(), file);
        if (n == 0)
            break;
        same = n <= size - at && std::memcmp(chunk.data(), data + at, n) == 0;
        at += n;
    }
    same = same && !std::ferror(file) && at == size;
    std::fclose(file);
    return same;
}
} // namespace

bool IsPlainLibraryFileName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxName)
        return false;
    for (unsigned char c : name) {
        if (c < 32 || std::strchr("\\/:*?\"<>|", c))
            return false;
    }
    if (name.find("..") != std::string::npos || name.back() == '.' || name.back() == ' ')
        return false;
    return !IsDeviceName(name.substr(0, name.find('.')));
}

LibraryWrite WriteRuntimeLibraryFile(const std::string& directory, const std::string& name, const uint8_t* data,
                                     size_t size)
{
    if (!IsPlainLibraryFileName(name))
        return LibraryWrite::Refused;
    std::string path = directory + name;
    if (FileExists(path)) {
        if (!IsDirectory(path) && SameContent(path, data, size))
            return LibraryWrite::AlreadyThere;
        return LibraryWrite::Conflict;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return LibraryWrite::Failed;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        std::remove(path.c_str());
        return LibraryWrite::Failed;
    }
    return LibraryWrite::Written;
}

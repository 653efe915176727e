#include "platform/Paths.h"

#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// The folder a show put in the place of the system's temporary folder.
std::mutex g_tempLock;
std::string g_tempInPlace;

size_t LastSeparator(const std::string& path)
{
    for (size_t i = path.size(); i-- > 0;) {
        if (IsPathSeparator(path[i]))
            return i;
    }
    return std::string::npos;
}
} // namespace

bool CreateDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    if (IsDirectory(path))
        return true;
    // A UNC path's server and share cannot be created: start after them.
    size_t start = 0;
    if (path.size() > 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
        int skipped = 0;
        for (start = 2; start < path.size() && skipped < 2; ++start) {
            if (IsPathSeparator(path[start]))
                ++skipped;
        }
    }
    for (size_t i = start; i < path.size(); ++i) {
        if (!IsPathSeparator(path[i]) || i == 0 || IsPathSeparator(path[i - 1]))
            continue;
        std::string prefix = path.substr(0, i);
        if (!IsDirectory(prefix) && !PathsDetail::MakeOneDirectory(prefix))
            return false;
    }
    if (IsPathSeparator(path.back()))
        return true;
    return IsDirectory(path) || PathsDetail::MakeOneDirectory(path);
}

std::string NativePath(const std::string& path)
{
#ifdef _WIN32
    return path;
#else
    std::string native = path;
    for (char& c : native) {
        if (c == '\\')
            c = '/';
    }
    return native;
#endif
}

std::string FileNameOf(const std::string& path)
{
    size_t cut = LastSeparator(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string SafeFileNameOf(const std::string& name)
{
    const std::string file = FileNameOf(name);
    if (file == "." || file == "..")
        return {};
    for (char c : file) {
        if (c == ':' || static_cast<unsigned char>(c) < 32)
            return {};
    }
    // Windows takes the part before the first dot, without trailing spaces, as the device name.
    std::string base = file.substr(0, file.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (base == device)
            return {};
    }
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '0' &&
        base[3] <= '9')
        return {};
    return file;
}

std::string DirectoryOf(const std::string& path)
{
    size_t cut = LastSeparator(path);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string ChangeExtension(const std::string& path, const std::string& extension)
{
    size_t dot = path.rfind('.');
    return (dot == std::string::npos ? path : path.substr(0, dot)) + extension;
}

std::string ExtensionOf(const std::string& path)
{
    size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string DigitCode(const std::string& text)
{
    std::string code;
    char number[8];
    for (char c : text) {
        std::snprintf(number, sizeof number, "%d", static_cast<int>(static_cast<signed char>(c)));
        code += number;
    }
    return code;
}

uint32_t RandomBelow(uint32_t n)
{
    if (n == 0)
        return 0;
    return static_cast<uint32_t>(std::rand()) % n;
}

void SetTempDirectory(const std::string& folder)
{
    std::lock_guard<std::mutex> guard(g_tempLock);
    g_tempInPlace = folder;
}

std::string PathsDetail::TempDirectoryInPlace()
{
    std::lock_guard<std::mutex> guard(g_tempLock);
    return g_tempInPlace;
}

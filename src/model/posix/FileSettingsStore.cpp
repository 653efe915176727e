#include "model/posix/FileSettingsStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads at most `limit` bytes; `tooLong` tells whether the file held more.
bool ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& out, bool& tooLong)
{
    // Only a plain file is a value: opening a pipe would wait for a writer, reading one for its data.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    out.assign(limit + 1, 0);
    size_t got = 0;
    while (got < out.size()) {
        ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    tooLong = got > limit;
    out.resize(std::min(got, limit));
    return true;
}

bool WriteAll(int fd, const void* data, size_t size)
{
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Writes the new contents beside path; the name of the written file, or "" when it could not be written
// whole (nothing is left behind then).
std::string WriteBeside(const std::string& path, const void* data, size_t size)
{
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return {};
    bool ok = WriteAll(fd, data, size) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        return temp;
    ::unlink(temp.c_str());
    return {};
}

bool MakeFolders(const std::string& path)
{
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            const std::string part = path.substr(0, i);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
                return false;
        }
    }
    struct stat st { };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string FileSettingsStore::DefaultRoot()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return std::string(xdg) + "/quillmark";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/quillmark";
}

std::string FileSettingsStore::FolderFor(const std::string& key) const
{
    // Only the project part of "Software\quillmark\<project>" names the folder; it comes from the
    // project database, so it never leaves the root.
    const size_t cut = key.find_last_of('\\');
    std::string name = cut == std::string::npos ? key : key.substr(cut + 1);
    for (char& c : name) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return root_ + "/" + name;
}

std::optional<ISettingsStore::Values> FileSettingsStore::Read(const std::string& key)
{
    const std::string folder = FolderFor(key);
    struct stat st { };
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    Values values;
    std::vector<uint8_t> raw;
    bool tooLong = false;
    if (ReadFile(folder + "/data", kDataBytes, raw, tooLong) && !tooLong)
        values.data = raw;
    if (ReadFile(folder + "/transition effects", kTextBuffer, raw, tooLong) && !tooLong)
        values.transitionEffects = TextFromValue(raw);
    return values;
}

bool FileSettingsStore::Write(const std::string& key, const std::vector<uint8_t>& data,
                              const std::string& transitionEffects)
{
    const std::string folder = FolderFor(key);
    if (!MakeFolders(folder))
        return false;
    // Both values are written whole before either replaces the stored one, so a full disk leaves the
    // stored settings as they were instead of half old, half new.
    const std::string dataPath = folder + "/data";
    const std::string textPath = folder + "/transition effects";
    const std::string dataTemp = WriteBeside(dataPath, data.data(), data.size());
    const std::string textTemp =
        dataTemp.empty() ? std::string() : WriteBeside(textPath, transitionEffects.data(), transitionEffects.size());
    if (textTemp.empty()) {
        if (!dataTemp.empty())
            ::unlink(dataTemp.c_str());
        return false;
    }
    const bool dataOk = ::rename(dataTemp.c_str(), dataPath.c_str()) == 0;
    if (!dataOk)
        ::unlink(dataTemp.c_str());
    const bool textOk = dataOk && ::rename(textTemp.c_str(), textPath.c_str()) == 0;
    if (!textOk)
        ::unlink(textTemp.c_str());
    return dataOk && textOk;
}

ISettingsStore& UserSettingsStore()
{
    static FileSettingsStore store(FileSettingsStore::DefaultRoot());
    return store;
}

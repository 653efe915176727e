#include "platform/ReplacingFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "platform/TemporaryPaths.h"

namespace {

int ProcessId()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

// ".NAME.PID-N.part" in the target's folder: on the same file system, so the final rename cannot fail for
// a move across disks; hidden, and no match for the target's own pattern (frame-*.png).
std::string TemporaryNameFor(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.find_last_of("/\\");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameStart) + "." + target.substr(nameStart) + "." + std::to_string(ProcessId()) + "-" +
        std::to_string(++counter) + ".part";
}

} // namespace

std::string WriteErrorText(const std::string& path, int errorNumber)
{
    return "cannot write " + path + ": " + std::strerror(errorNumber);
}

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)), temporary_(TemporaryNameFor(target_))
{
}

ReplacingFile::~ReplacingFile()
{
    Discard();
}

void ReplacingFile::Reserve()
{
    if (!pending_) {
        AddTemporaryPath(temporary_);
        pending_ = true;
    }
}

bool ReplacingFile::Open()
{
    Reserve();
    // Noted before it exists: an interrupt between the two still finds it.
    file_ = std::fopen(temporary_.c_str(), "wb");
    return file_ || Fail(errno);
}

bool ReplacingFile::Write(const void* data, size_t size)
{
    if (!file_)
        return false;
    errno = 0;
    return std::fwrite(data, 1, size, file_) == size || Fail(errno ? errno : EIO);
}

bool ReplacingFile::Commit()
{
    if (!pending_)
        return false;
    if (file_) {
        errno = 0;
        const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
        const int flushError = errno ? errno : EIO;
        const bool closed = std::fclose(file_) == 0;
        const int closeError = errno ? errno : EIO;
        file_ = nullptr;
        if (!flushed || !closed)
            return Fail(!flushed ? flushError : closeError);
    }
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) {
        error_ = "cannot write " + target_ + ": " + ec.message();
        Discard();
        return false;
    }
    RemoveTemporaryPath(temporary_);
    pending_ = false;
    return true;
}

bool ReplacingFile::Fail(int errorNumber)
{
    if (error_.empty())
        error_ = WriteErrorText(target_, errorNumber);
    Discard();
    return false;
}

void ReplacingFile::Discard()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (pending_) {
        std::remove(temporary_.c_str());
        RemoveTemporaryPath(temporary_);
        pending_ = false;
    }
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error)
{
    ReplacingFile file(path);
    if (file.Open() && file.Write(bytes) && file.Commit())
        return true;
    error = file.Error();
    return false;
}

#include "db/DiskFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static_assert(sizeof(off_t) >= 8, "files beyond 2 GiB need 64-bit offsets");

DiskFile::~DiskFile()
{
    Close();
}

bool DiskFile::Open(const std::string& path, unsigned flags)
{
    Close();
    int mode = (flags & kModeWrite) ? ((flags & kModeRead) ? O_RDWR : O_WRONLY) : O_RDONLY;
    if ((flags & kModeWrite) && (flags & kModeCreate))
        mode |= O_CREAT | O_TRUNC;
    fd_ = ::open(path.c_str(), mode | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return false;
    struct stat st;
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
        Close();
        return false;
    }
    position_ = 0;
    return true;
}

void DiskFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    position_ = 0;
}

bool DiskFile::IsOpen() const
{
    return fd_ >= 0;
}

std::size_t DiskFile::ReadOnce(void* buffer, std::size_t count)
{
    if (fd_ < 0)
        return 0;
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(fd_, static_cast<char*>(buffer) + done, count - done, static_cast<off_t>(position_ + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    position_ += done;
    return done;
}

bool DiskFile::WriteOnce(const void* data, std::size_t count)
{
    if (fd_ < 0)
        return false;
    std::size_t done = 0;
    while (done < count) {
        ssize_t n =
            ::pwrite(fd_, static_cast<const char*>(data) + done, count - done, static_cast<off_t>(position_ + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    position_ += done;
    return done == count;
}

bool DiskFile::Seek(std::uint64_t position)
{
    if (fd_ < 0 || position > static_cast<std::uint64_t>(INT64_MAX))
        return false;
    position_ = position;
    return true;
}

std::uint64_t DiskFile::GetLength() const
{
    struct stat st;
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || st.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool DiskFile::SetLength(std::uint64_t length)
{
    return fd_ >= 0 && length <= static_cast<std::uint64_t>(INT64_MAX) &&
        ::ftruncate(fd_, static_cast<off_t>(length)) == 0;
}

// Names are bytes here: UTF-8 ones open as they are.
void DiskFile::UseUtf8Names(bool)
{
}

bool DiskFile::Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DiskFile::Remove(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool DiskFile::Replace(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::int64_t DiskFile::SizeOf(const std::string& path)
{
    DiskFile file;
    if (!file.Open(path, kModeRead))
        return -1;
    return static_cast<std::int64_t>(file.GetLength());
}

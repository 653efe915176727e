#include "render/FolderLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TemporaryPaths.h"

FolderLock::~FolderLock()
{
    if (fd_ < 0)
        return;
    // Removed while still held: a render waiting on this file finds it gone and takes a new one.
    ::unlink(path_.c_str());
    RemoveTemporaryPath(path_);
    ::close(fd_);
}

bool FolderLock::Take(const std::string& folder, std::string& error)
{
    path_ = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + kFileName;
    // The holder removes the file as it ends: a lock taken on a file that is no longer the folder's is taken
    // again on the new one.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            error = "cannot write into " + folder + ": " + std::strerror(errno);
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int reason = errno;
            ::close(fd);
            error = reason == EWOULDBLOCK
                ? "another render is writing into " + folder + "; wait for it to end or choose another folder"
                : "cannot lock " + path_ + ": " + std::strerror(reason);
            return false;
        }
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(path_.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev) {
            fd_ = fd;
            AddTemporaryPath(path_);
            return true;
        }
        ::close(fd);
    }
    error = "cannot lock " + path_;
    return false;
}

#pragma once
#include <string>

// A render's claim on its output folder for as long as it writes there: a second render into the same folder
// is refused instead of mixing its frames with the first's. The claim is a lock on a file in the folder, not
// the file's existence, so a render that was killed does not block the next one.
class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False with a message when another render holds the folder or the lock file cannot be made there.
    bool Take(const std::string& folder, std::string& error);

    static constexpr const char* kFileName = ".quillmark-render.lock";

private:
    std::string path_;
    int fd_ = -1;
};

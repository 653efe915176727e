#pragma once
#include <string>

// A fresh folder in the system's temporary folder for one run's own files, removed with everything in it.
class WorkFolder {
public:
    explicit WorkFolder(const std::string& prefix);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // Empty when no folder could be made.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

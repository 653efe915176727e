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

// Writes bytes into a subfolder of its own in workFolder, under the stem of the source's file name and the
// given extension, so a prepared picture keeps the author's name. Returns its path, or "" when it cannot.
std::string WriteIntoFolder(const std::string& workFolder, const std::string& source, const std::string& bytes,
                            const std::string& extension);

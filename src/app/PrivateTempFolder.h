#pragma once
#include <string>

// A folder of the show's own in the place of the temporary folder, for as long as the show runs: stored
// sounds, copies of stored videos, the desktop snapshot and pictures for the decoders go there, and it is
// removed with everything in it on the way out. So a show leaves nothing behind, and never writes over (or
// deletes) a file of the same name that someone else keeps in the shared temporary folder.
class PrivateTempFolder {
public:
    PrivateTempFolder();
    ~PrivateTempFolder();
    PrivateTempFolder(const PrivateTempFolder&) = delete;
    PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

    // Ends with a separator; "" when no folder could be made (the system's folder stays in place then).
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string previous_; // the folder that was in place before, put back afterwards
};

// Removes the folder and everything in it (platform part); false when something stayed.
bool RemoveFolderTree(const std::string& path);

#pragma once
#include "saver/SequencerInterfaces.h"

// The file system as the sequencer sees it: backslash paths, mapped to the platform's own separator.
class SaverFiles final : public ISaverFiles {
public:
    bool FileExists(const std::string& path) override;
    bool IsDirectory(const std::string& path) override;
    bool CreateDirectories(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool WriteFile(const std::string& path, const std::function<bool(FileBase&)>& fill) override;
    std::string TempDirectory() override;

    static std::string NativePath(const std::string& path);
};

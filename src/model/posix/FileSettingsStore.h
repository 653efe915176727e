#pragma once
#include "model/SettingsStore.h"

// The user's settings as files: <root>/<project>/data and <root>/<project>/transition effects, each
// replaced whole (written beside, then renamed) so a crash never leaves half a file.
class FileSettingsStore final : public ISettingsStore {
public:
    // root: the folder holding one folder per project.
    explicit FileSettingsStore(std::string root) : root_(std::move(root)) { }

    // $XDG_CONFIG_HOME/quillmark, or ~/.config/quillmark.
    static std::string DefaultRoot();

    // The project's folder for a registry-style key; the key's last part becomes one safe folder name.
    std::string FolderFor(const std::string& key) const;

    std::optional<Values> Read(const std::string& key) override;
    bool Write(const std::string& key, const std::vector<uint8_t>& data, const std::string& transitionEffects) override;

private:
    std::string root_;
};

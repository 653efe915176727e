#pragma once
#include "saver/SequencerInterfaces.h"

class MediaPlaylist;
class MediaTable;
class ProjectInfo;

// The playlist of the project: the media settings (the current item) and the media table.
class ProjectMediaList final : public IMediaList {
public:
    ProjectMediaList(MediaPlaylist& settings, MediaTable& media) : settings_(settings), media_(media) { }

    int Count() override;
    int32_t MediaType() override;
    std::string FileName() override;
    bool PlaysMusic() override;
    std::string BoundSound() override;
    void SelectNext(bool random) override;
    std::optional<UpcomingItem> PeekNext(bool random) override;
    bool ReadMediaData(const std::string& fileName, FileBase& out) override;
    std::string GetStoredName(const std::string& fileName) override;
    MediaPlaylist* Settings() override { return &settings_; }
    MediaTable* Media() override { return &media_; }
    void Close() override;

private:
    MediaPlaylist& settings_;
    MediaTable& media_;
};

struct SequencerOptions;
// The sequencer's values from the project options and the program path.
void ApplyProjectOptions(SequencerOptions& options, const ProjectInfo& project);

#pragma once
#include <memory>
#include <string>

#include "media/SoundTable.h"
#include "media/VideoPlayer.h"
#include "media/posix/AvMediaSystem.h"
#include "model/MediaPlaylist.h"
#include "model/MediaTable.h"
#include "saver/EventLoop.h"
#include "saver/HeadlessShow.h"
#include "saver/MediaSequencer.h"
#include "saver/ProjectMediaList.h"

class ScreensaverApp;
class IAudioSink;

// Media devices' notifications arrive through the show's event loop.
class LoopScheduler final : public IMediaScheduler {
public:
    explicit LoopScheduler(EventLoop& loop) : loop_(loop) { }
    uint64_t After(uint32_t ms, std::function<void()> action) override
    {
        return loop_.At(loop_.Now() + ms, std::move(action));
    }
    void Cancel(uint64_t ticket) override { loop_.Cancel(ticket); }

private:
    EventLoop& loop_;
};

// What a show on Linux plays from, opened on the application's project: the playlist, the music table, the
// media devices over FFmpeg (heard through the sink when there is one, silent otherwise) and the options the
// sequencer and the video players read.
class ShowMedia {
public:
    ShowMedia(ScreensaverApp& app, EventLoop& loop, IClock& clock, IAudioSink* sink);
    ~ShowMedia();
    ShowMedia(const ShowMedia&) = delete;
    ShowMedia& operator=(const ShowMedia&) = delete;

    // False when the project has no media items.
    bool Opened() const { return list_ != nullptr; }
    AvMediaSystem& Devices() { return devices_; }
    const VideoPlayerSetup& VideoSetup() const { return videoSetup_; }
    const SequencerOptions& Options() const { return options_; }
    // The show's parts but for the image and video players, which are the kind of show's own.
    HeadlessShowParts Parts(EventLoop& loop);

private:
    MediaTable media_;
    MediaPlaylist mediaSetting_;
    std::unique_ptr<ProjectMediaList> list_;
    LoopScheduler scheduler_;
    AvMediaSystem devices_;
    SoundTable sounds_;
    VideoPlayerSetup videoSetup_;
    SequencerOptions options_;
};

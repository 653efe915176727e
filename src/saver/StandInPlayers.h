#pragma once
// Interim players that keep the show moving until the real sound and video players are built: sound
// players that play nothing, and a video "movie" that ends after a short delay.
#include "saver/DelayedPost.h"
#include "saver/SequencerInterfaces.h"

class CSilentSoundPlayer final : public ISoundPlayer {
public:
    bool Play(const std::string&) override { return false; }
    void Pause() override { }
    void Resume() override { }
    void Stop() override { }
};

class CTimedVideoPlayer final : public IVideoPlayer {
public:
    CTimedVideoPlayer(IDelayedPost& post, uint32_t movieMs) : post_(post), movieMs_(movieMs) { }
    ~CTimedVideoPlayer() override { CloseVideo(0); }

    void SetVideoPath(const std::string& path) override { path_ = path; }
    void SetMediaSetting(CMediaSetting*) override { }
    void SetMedia(CMedia*) override { }
    void DrawBackground() override { }
    void Show() override;
    void HideBehind() override { }
    void CloseVideo(int send) override;

private:
    IDelayedPost& post_;
    uint32_t movieMs_;
    std::string path_;
    uint64_t pending_ = 0;
};

// A project without a music player yet: no tracks, no bound sounds.
class CNoSoundTable final : public ISoundTable {
public:
    std::string GetNextMusic(const std::string&, bool, bool, bool, bool) override { return {}; }
    std::string GetSoundFile(const std::string&, const std::string&, bool, bool) override { return {}; }
    void RemoveTemporaryFiles() override { }
};

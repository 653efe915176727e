#pragma once
// Interim players that keep the show moving until the real slide, sound and video players are built:
// an image "slide" that is finished after a short delay, sound players that play nothing, and a video
// "movie" that ends after a short delay.
#include "saver/DelayedPost.h"
#include "saver/SequencerInterfaces.h"

#include <vector>

class CTimedImagePlayers final : public IImagePlayerInterface {
public:
    CTimedImagePlayers(IDelayedPost& post, uint32_t slideMs) : post_(post), slideMs_(slideMs) {}

    int CreatePlayer(WindowRef parent) override;
    void DestroyPlayer(int player) override;
    void SetPlayerSettings(int player, CSaverSettings* settings, CKADOGlobeSettings* project) override;
    void ShowSlide(int player, CMediaSetting* media) override;
    void StopTransition(int player) override;
    void HidePlayer(int player, int hide) override;
    void SetPlayerMode(int player, StartMode mode) override;
    void SetPlayerMedia(int player, CMedia* media) override;

private:
    struct Player {
        bool alive = false;
        uint64_t pending = 0;
    };
    Player& At(int player);

    IDelayedPost& post_;
    uint32_t slideMs_;
    std::vector<Player> players_;
};

class CSilentSoundPlayer final : public ISoundPlayer {
public:
    bool Play(const std::string&) override { return false; }
    void Pause() override {}
    void Resume() override {}
    void Stop() override {}
};

class CTimedVideoPlayer final : public IVideoPlayer {
public:
    CTimedVideoPlayer(IDelayedPost& post, uint32_t movieMs) : post_(post), movieMs_(movieMs) {}
    ~CTimedVideoPlayer() override { CloseVideo(0); }

    void SetVideoPath(const std::string& path) override { path_ = path; }
    void SetMediaSetting(CMediaSetting*) override {}
    void SetMedia(CMedia*) override {}
    void DrawBackground() override {}
    void Show() override;
    void HideBehind() override {}
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
    void RemoveTemporaryFiles() override {}
};

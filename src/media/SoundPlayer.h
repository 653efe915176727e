#pragma once
#include "media/MediaDevicePlayer.h"
#include "media/PlayerWindow.h"

#include <memory>

// Plays one sound file at a time and tells its parent when the sound has played to its end. The end is
// found by polling the position once a second, so it arrives up to a second after the sound stopped.
class SoundPlayer final : public ISoundPlayer {
public:
    static constexpr uint32_t kPollTimer = 1;
    static constexpr uint32_t kPollMs = 1000;

    // Posts endMessage to the window's parent at the end of every sound.
    SoundPlayer(std::unique_ptr<IPlayerWindow> window, IMciCommands& mci, uint32_t endMessage);
    ~SoundPlayer() override;

    bool Play(const std::string& path) override;
    void Stop() override;
    // Only while playing and not paused.
    void Pause() override;
    // Only while paused.
    void Resume() override;

    void OnTimer(uint32_t id);

    bool Playing() const { return playing_; }
    bool Paused() const { return paused_; }
    MediaDevicePlayer& Device() { return player_; }

private:
    void StartPolling();
    void StopPolling();

    std::unique_ptr<IPlayerWindow> window_;
    MediaDevicePlayer player_;
    uint32_t endMessage_;
    bool playing_ = false;
    bool paused_ = false;
    bool polling_ = false;
};

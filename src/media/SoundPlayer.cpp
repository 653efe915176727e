#include "media/SoundPlayer.h"

SoundPlayer::SoundPlayer(std::unique_ptr<IPlayerWindow> window, IMciCommands& mci, uint32_t endMessage)
    : window_(std::move(window)), player_(mci), endMessage_(endMessage)
{
    window_->onTimer = [this](uint32_t id) { OnTimer(id); };
}

SoundPlayer::~SoundPlayer()
{
    Stop();
    window_->onTimer = nullptr;
}

bool SoundPlayer::Play(const std::string& path)
{
    if (path.empty() || !player_.Open(path, window_->Handle()))
        return false;
    if (!player_.Play()) {
        Stop();
        return false;
    }
    StartPolling();
    playing_ = true;
    paused_ = false;
    return true;
}

void SoundPlayer::Stop()
{
    player_.Stop(true);
    player_.Close(true);
    StopPolling();
    playing_ = false;
    paused_ = false;
}

void SoundPlayer::Pause()
{
    if (!playing_ || paused_)
        return;
    player_.TogglePause();
    StopPolling();
    paused_ = true;
}

void SoundPlayer::Resume()
{
    if (!playing_ || !paused_)
        return;
    player_.Resume();
    StartPolling();
    paused_ = false;
}

void SoundPlayer::OnTimer(uint32_t id)
{
    if (id != kPollTimer)
        return;
    if (player_.GetPosition() >= player_.GetLength()) {
        Stop();
        window_->PostToParent(endMessage_);
    }
}

void SoundPlayer::StartPolling()
{
    if (polling_)
        return;
    window_->SetTimer(kPollTimer, kPollMs);
    polling_ = true;
}

void SoundPlayer::StopPolling()
{
    if (!polling_)
        return;
    window_->KillTimer(kPollTimer);
    polling_ = false;
}

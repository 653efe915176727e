#include "media/MediaDevicePlayer.h"

#include "base/TextCase.h"

#include <cstring>

MediaDevicePlayer::~MediaDevicePlayer()
{
    Close(sendClose_);
}

bool MediaDevicePlayer::Open(const std::string& path, WindowRef notifyWindow)
{
    if (path.empty())
        return false;
#ifdef _WIN32
    const std::string element = LowerAnsi(path);
#else
    // Linux file names are case-sensitive: the path is opened as given.
    const std::string element = path;
#endif
    if (open_)
        Close(true);
    notifyWindow_ = notifyWindow;
    if (element.size() >= sizeof elementBuffer_)
        return false;
    std::memcpy(elementBuffer_, element.c_str(), element.size() + 1);

    uint32_t device = 0;
    if (mci_.Open(elementBuffer_, device) != 0)
        return false;
    open_ = true;
    device_ = device;
    elementName_ = element;

    auto caps = [this](uint32_t item) {
        uint32_t value = 0;
        return mci_.GetDevCaps(device_, item, value) == 0 ? value : 0u;
    };
    canPlay_ = caps(Mci::kCapsCanPlay) != 0;
    canRecord_ = caps(Mci::kCapsCanRecord) != 0;
    canEject_ = caps(Mci::kCapsCanEject) != 0;
    hasVideo_ = caps(Mci::kCapsHasVideo) != 0;
    deviceType_ = caps(Mci::kCapsDeviceType);
    visual_ = deviceType_ == Mci::kDevTypeVcr || deviceType_ == Mci::kDevTypeOverlay ||
        deviceType_ == Mci::kDevTypeAnimation || deviceType_ == Mci::kDevTypeDigitalVideo;
    MciRect source;
    if (mci_.Where(device_, true, source) == 0) {
        naturalWidth_ = source.right - source.left;
        naturalHeight_ = source.bottom - source.top;
    } else {
        naturalWidth_ = naturalHeight_ = 0;
    }
    if (hasVideo_ && notifyWindow_)
        SetVideoWindow(notifyWindow_);
    return true;
}

void MediaDevicePlayer::Close(bool send)
{
    sendClose_ = send;
    if (!open_)
        return;
    if (send && mci_.Close(device_, notifyWindow_) != 0)
        return; // a refused close leaves the device open
    open_ = false;
    device_ = 0;
}

bool MediaDevicePlayer::Play()
{
    if (!open_)
        return false;
    SeekToStart();
    return mci_.Play(device_, notifyWindow_) == 0;
}

bool MediaDevicePlayer::SeekToStart()
{
    return open_ && mci_.SeekToStart(device_) == 0;
}

bool MediaDevicePlayer::Stop(bool send)
{
    sendClose_ = send;
    if (!open_)
        return false;
    return !send || mci_.Stop(device_) == 0;
}

bool MediaDevicePlayer::Pause()
{
    return open_ && mci_.Pause(device_) == 0;
}

bool MediaDevicePlayer::Resume()
{
    if (!open_)
        return false;
    if (mci_.Resume(device_) == 0)
        return true;
    return Play();
}

bool MediaDevicePlayer::TogglePause()
{
    if (!open_)
        return false;
    switch (GetMode()) {
    case Mci::kModePlay: return Pause();
    case Mci::kModePause: return Resume();
    default: return true;
    }
}

int64_t MediaDevicePlayer::StatusOr(uint32_t item, int64_t closed)
{
    if (!open_)
        return closed;
    uint32_t value = 0;
    mci_.Status(device_, item, value);
    return value;
}

int64_t MediaDevicePlayer::GetPosition()
{
    return StatusOr(Mci::kStatusPosition, -1);
}

int64_t MediaDevicePlayer::GetLength()
{
    return StatusOr(Mci::kStatusLength, -1);
}

uint32_t MediaDevicePlayer::GetMode()
{
    return uint32_t(StatusOr(Mci::kStatusMode, 0));
}

bool MediaDevicePlayer::SetVideoWindow(WindowRef window)
{
    if (!window || !open_ || !hasVideo_)
        return false;
    if (mci_.SetWindow(device_, window) != 0)
        return false;
    videoWindow_ = window;
    return true;
}

bool MediaDevicePlayer::SetDestination(int x, int y, int width, int height)
{
    if (!open_ || !hasVideo_)
        return false;
    const MciRect rect = width != 0 && height != 0 ? MciRect{x, y, width, height} : mci_.WindowRect(videoWindow_);
    return mci_.PutDestination(device_, rect) == 0;
}

MciRect MediaDevicePlayer::GetDestination()
{
    const MciRect fallback{100, 100, 200, 200};
    if (!open_ || !hasVideo_)
        return fallback;
    MciRect rect;
    return mci_.Where(device_, false, rect) == 0 ? rect : fallback;
}

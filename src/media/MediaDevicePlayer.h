#pragma once
#include "media/MciCommands.h"

#include <cstdint>
#include <string>

// Plays one media file through the media control interface: opened by its element name so that the
// interface picks the device from the file, played with completion notification to a window, and for video
// devices attached to a window and placed in it. Every operation on a closed player does nothing and
// returns its closed value.
class MediaDevicePlayer {
public:
    explicit MediaDevicePlayer(IMciCommands& mci = SystemMci()) : mci_(mci) { }
    ~MediaDevicePlayer();
    MediaDevicePlayer(const MediaDevicePlayer&) = delete;
    MediaDevicePlayer& operator=(const MediaDevicePlayer&) = delete;

    // False for an empty path, a path of 256 bytes or more, or a file no device opens.
    bool Open(const std::string& path, WindowRef notifyWindow);
    void Close(bool send);
    // Always from the beginning.
    bool Play();
    bool SeekToStart();
    bool Stop(bool send);
    bool Pause();
    // A refused resume plays from the beginning instead.
    bool Resume();
    bool TogglePause();
    // In the device's time format; -1 (position, length) and 0 (mode) when closed.
    int64_t GetPosition();
    int64_t GetLength();
    uint32_t GetMode();
    bool SetVideoWindow(WindowRef window);
    // Both extents nonzero: (x, y, width, height); otherwise the video window's rectangle on the screen.
    bool SetDestination(int x, int y, int width, int height);
    // (100, 100, 200, 200) when closed, without video or refused.
    MciRect GetDestination();

    bool IsOpen() const { return open_; }
    uint32_t DeviceId() const { return device_; }
    const std::string& ElementName() const { return elementName_; }
    int NaturalWidth() const { return naturalWidth_; }
    int NaturalHeight() const { return naturalHeight_; }
    bool CanPlay() const { return canPlay_; }
    bool CanRecord() const { return canRecord_; }
    bool CanEject() const { return canEject_; }
    bool HasVideo() const { return hasVideo_; }
    bool IsVisualDevice() const { return visual_; }
    uint32_t DeviceType() const { return deviceType_; }
    bool SendsClose() const { return sendClose_; }

private:
    int64_t StatusOr(uint32_t item, int64_t closed);

    IMciCommands& mci_;
    bool open_ = false;
    uint32_t device_ = 0;
    WindowRef notifyWindow_ = nullptr;
    WindowRef videoWindow_ = nullptr;
    char elementBuffer_[256] = {};
    std::string elementName_;
    bool canPlay_ = false;
    bool canRecord_ = false;
    bool canEject_ = false;
    bool hasVideo_ = false;
    uint32_t deviceType_ = 0;
    bool visual_ = false;
    int naturalWidth_ = 0;
    int naturalHeight_ = 0;
    bool sendClose_ = true;
};

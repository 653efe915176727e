#pragma once
#include "gfx/Picture.h"
#include "media/MciCommands.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class IAudioSink;
class IClock;

// Runs actions later on the thread that drives the players (their window's event loop).
class IMediaScheduler {
public:
    virtual ~IMediaScheduler() = default;
    virtual uint64_t After(uint32_t ms, std::function<void()> action) = 0;
    virtual void Cancel(uint64_t ticket) = 0;
};

// The media control interface of the Linux build, over FFmpeg's decoders: sounds and videos open as devices
// whose position runs with a clock (in milliseconds), videos draw their frame at that position into the
// window they are attached to, and an attached audio sink hears what plays. Without a sink, devices play
// silently in the clock's time, as the headless renderer needs.
class AvMediaSystem final : public IMciCommands {
public:
    explicit AvMediaSystem(IClock& clock);
    ~AvMediaSystem() override;
    AvMediaSystem(const AvMediaSystem&) = delete;
    AvMediaSystem& operator=(const AvMediaSystem&) = delete;

    // End-of-play notifications (MM_MCINOTIFY with the code) arrive through the scheduler; none without one.
    void SetScheduler(IMediaScheduler* scheduler) { scheduler_ = scheduler; }
    std::function<void(WindowRef callback, uint32_t device, uint32_t code)> onNotify;
    // Sound goes to the sink from the next device opened on.
    void AttachAudioSink(IAudioSink* sink) { sink_ = sink; }
    // A window's rectangle on the screen, for a destination given without extents.
    std::function<MciRect(WindowRef)> windowRect;

    // Draws the video attached to `window` at its current position, its destination taken within the
    // window's area of target and clipped to it. False when no video plays into the window.
    bool DrawVideo(WindowRef window, Picture& target, const Rect& windowArea);
    size_t OpenDevices() const { return devices_.size(); }

    uint32_t Open(const char* element, uint32_t& device) override;
    uint32_t Close(uint32_t device, WindowRef callback) override;
    uint32_t Play(uint32_t device, WindowRef callback) override;
    uint32_t SeekToStart(uint32_t device) override;
    uint32_t Stop(uint32_t device) override;
    uint32_t Pause(uint32_t device) override;
    uint32_t Resume(uint32_t device) override;
    uint32_t Status(uint32_t device, uint32_t item, uint32_t& value) override;
    uint32_t GetDevCaps(uint32_t device, uint32_t item, uint32_t& value) override;
    uint32_t Where(uint32_t device, bool source, MciRect& rect) override;
    uint32_t SetWindow(uint32_t device, WindowRef window) override;
    uint32_t PutDestination(uint32_t device, const MciRect& rect) override;
    MciRect WindowRect(WindowRef window) override;

private:
    struct Device;
    Device* Find(uint32_t id);
    int64_t Position(Device& d);
    // Ends a waiting notification with the code.
    void Notify(Device& d, uint32_t code);
    void Halt(Device& d, uint32_t mode);

    IClock& clock_;
    IMediaScheduler* scheduler_ = nullptr;
    IAudioSink* sink_ = nullptr;
    std::map<uint32_t, std::unique_ptr<Device>> devices_;
    uint32_t nextId_ = 1;
};

#include "media/posix/AvMediaSystem.h"

#include "media/posix/AudioSink.h"
#include "media/posix/AvAudioSource.h"
#include "media/posix/AvMediaFile.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>

struct AvMediaSystem::Device {
    AvMediaFile file;
    std::unique_ptr<AvAudioSource> sound; // only with a sink
    uint32_t id = 0;
    uint32_t mode = Mci::kModeStop;
    int64_t base = 0;       // position when play last started, or where it stands
    uint32_t startTick = 0; // clock tick when play last started
    WindowRef window = nullptr;
    MciRect destination; // x, y, width, height
    WindowRef notifyTo = nullptr;
    uint64_t notifyTicket = 0;
    bool notifyWaiting = false;
};

AvMediaSystem::AvMediaSystem(IClock& clock) : clock_(clock)
{
}

AvMediaSystem::~AvMediaSystem()
{
    for (auto& [id, device] : devices_)
        Halt(*device, Mci::kModeStop);
}

AvMediaSystem::Device* AvMediaSystem::Find(uint32_t id)
{
    auto it = devices_.find(id);
    return it == devices_.end() ? nullptr : it->second.get();
}

int64_t AvMediaSystem::Position(Device& d)
{
    if (d.mode != Mci::kModePlay)
        return d.base;
    const int64_t position = d.base + uint32_t(clock_.TickCount() - d.startTick);
    if (position < d.file.LengthMs())
        return position;
    // Played to its end: the device stops there.
    d.mode = Mci::kModeStop;
    d.base = d.file.LengthMs();
    if (d.sound && sink_)
        sink_->Stop(d.sound.get());
    return d.base;
}

void AvMediaSystem::Notify(Device& d, uint32_t code)
{
    if (!d.notifyWaiting)
        return;
    d.notifyWaiting = false;
    if (scheduler_)
        scheduler_->Cancel(d.notifyTicket);
    if (onNotify && d.notifyTo)
        onNotify(d.notifyTo, d.id, code);
}

void AvMediaSystem::Halt(Device& d, uint32_t mode)
{
    d.base = Position(d);
    if (d.mode == Mci::kModePlay && d.sound && sink_)
        sink_->Stop(d.sound.get());
    d.mode = mode;
    Notify(d, Mci::kNotifyAborted);
}

uint32_t AvMediaSystem::Open(const char* element, uint32_t& device)
{
    const std::string path = NativePath(element ? element : "");
    if (path.empty() || !FileExists(path))
        return Mci::kErrFileNotFound;
    // A pipe or device named by a project would hold the decoder's open forever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return Mci::kErrInvalidFile;
    auto d = std::make_unique<Device>();
    if (!d->file.Open(path))
        return Mci::kErrInvalidFile;
    if (sink_ && d->file.HasAudio()) {
        d->sound = std::make_unique<AvAudioSource>();
        if (!d->sound->Open(path))
            d->sound.reset();
    }
    d->id = nextId_++;
    d->destination = MciRect{0, 0, d->file.Width(), d->file.Height()};
    device = d->id;
    devices_[d->id] = std::move(d);
    return 0;
}

uint32_t AvMediaSystem::Close(uint32_t device, WindowRef)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    Halt(*d, Mci::kModeStop);
    devices_.erase(device);
    return 0;
}

uint32_t AvMediaSystem::Play(uint32_t device, WindowRef callback)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    d->base = Position(*d);
    const bool wasPlaying = d->mode == Mci::kModePlay;
    if (d->mode == Mci::kModePause)
        Halt(*d, Mci::kModeStop);
    Notify(*d, Mci::kNotifySuperseded);
    d->mode = Mci::kModePlay;
    d->startTick = clock_.TickCount();
    if (d->sound && sink_ && !wasPlaying)
        sink_->Start(d->sound.get());
    d->notifyTo = callback;
    if (scheduler_) {
        const uint32_t device = d->id;
        d->notifyWaiting = true;
        d->notifyTicket =
            scheduler_->After(uint32_t(std::max<int64_t>(d->file.LengthMs() - d->base, 0)), [this, device] {
                Device* playing = Find(device);
                if (!playing || !playing->notifyWaiting)
                    return;
                Position(*playing);
                playing->notifyWaiting = false;
                if (onNotify && playing->notifyTo)
                    onNotify(playing->notifyTo, device, Mci::kNotifySuccessful);
            });
    }
    return 0;
}

uint32_t AvMediaSystem::SeekToStart(uint32_t device)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    Halt(*d, Mci::kModeStop);
    d->base = 0;
    if (d->sound)
        d->sound->Rewind();
    return 0;
}

uint32_t AvMediaSystem::Stop(uint32_t device)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    Halt(*d, Mci::kModeStop);
    return 0;
}

uint32_t AvMediaSystem::Pause(uint32_t device)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    Position(*d);
    if (d->mode != Mci::kModePlay)
        return Mci::kErrNonapplicableFunction;
    Halt(*d, Mci::kModePause);
    return 0;
}

uint32_t AvMediaSystem::Resume(uint32_t device)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    if (d->mode != Mci::kModePause)
        return Mci::kErrNonapplicableFunction;
    // Resumed with notification to no window.
    return Play(device, nullptr);
}

uint32_t AvMediaSystem::Status(uint32_t device, uint32_t item, uint32_t& value)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    const int64_t position = Position(*d);
    switch (item) {
    case Mci::kStatusPosition: value = uint32_t(std::clamp<int64_t>(position, 0, UINT32_MAX)); return 0;
    case Mci::kStatusLength: value = uint32_t(std::clamp<int64_t>(d->file.LengthMs(), 0, UINT32_MAX)); return 0;
    case Mci::kStatusMode: value = d->mode; return 0;
    default: return Mci::kErrUnsupportedFunction;
    }
}

uint32_t AvMediaSystem::GetDevCaps(uint32_t device, uint32_t item, uint32_t& value)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    switch (item) {
    case Mci::kCapsCanPlay: value = 1; return 0;
    case Mci::kCapsCanRecord:
    case Mci::kCapsCanEject: value = 0; return 0;
    case Mci::kCapsHasAudio: value = d->file.HasAudio() ? 1 : 0; return 0;
    case Mci::kCapsHasVideo: value = d->file.HasVideo() ? 1 : 0; return 0;
    case Mci::kCapsDeviceType:
        value = d->file.HasVideo() ? Mci::kDevTypeDigitalVideo : Mci::kDevTypeWaveAudio;
        return 0;
    default: return Mci::kErrUnsupportedFunction;
    }
}

uint32_t AvMediaSystem::Where(uint32_t device, bool source, MciRect& rect)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    if (!d->file.HasVideo())
        return Mci::kErrUnsupportedFunction;
    rect = source ? MciRect{0, 0, d->file.Width(), d->file.Height()} : d->destination;
    return 0;
}

uint32_t AvMediaSystem::SetWindow(uint32_t device, WindowRef window)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    if (!d->file.HasVideo())
        return Mci::kErrUnsupportedFunction;
    d->window = window;
    return 0;
}

uint32_t AvMediaSystem::PutDestination(uint32_t device, const MciRect& rect)
{
    Device* d = Find(device);
    if (!d)
        return Mci::kErrInvalidDeviceId;
    if (!d->file.HasVideo())
        return Mci::kErrUnsupportedFunction;
    d->destination = rect;
    return 0;
}

MciRect AvMediaSystem::WindowRect(WindowRef window)
{
    return windowRect ? windowRect(window) : MciRect{};
}

bool AvMediaSystem::DrawVideo(WindowRef window, Picture& target, const Rect& windowArea)
{
    if (!window)
        return false;
    for (auto& [id, d] : devices_) {
        if (d->window != window || !d->file.HasVideo())
            continue;
        const MciRect& put = d->destination;
        const Rect dest = Rect::FromSize(windowArea.left + put.left, windowArea.top + put.top, put.right, put.bottom);
        return d->file.DrawFrame(Position(*d), target, dest, windowArea);
    }
    return false;
}

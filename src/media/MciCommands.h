#pragma once
#include "media/MediaInterfaces.h"

#include <cstdint>

// A rectangle as the media control interface passes it (left, top, right, bottom; MCI_PUT and MCI_WHERE
// of video devices use right and bottom for width and height).
struct MciRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const MciRect&) const = default;
};

// Values of the media control interface, with their Windows numbers, so both back ends speak the same.
namespace Mci {
constexpr uint32_t kStatusLength = 1;
constexpr uint32_t kStatusPosition = 2;
constexpr uint32_t kStatusMode = 4;

constexpr uint32_t kCapsCanRecord = 1;
constexpr uint32_t kCapsHasAudio = 2;
constexpr uint32_t kCapsHasVideo = 3;
constexpr uint32_t kCapsDeviceType = 4;
constexpr uint32_t kCapsCanEject = 7;
constexpr uint32_t kCapsCanPlay = 8;

constexpr uint32_t kDevTypeVcr = 513;
constexpr uint32_t kDevTypeOverlay = 515;
constexpr uint32_t kDevTypeAnimation = 519;
constexpr uint32_t kDevTypeDigitalVideo = 520;
constexpr uint32_t kDevTypeWaveAudio = 522;

constexpr uint32_t kModeNotReady = 524;
constexpr uint32_t kModeStop = 525;
constexpr uint32_t kModePlay = 526;
constexpr uint32_t kModePause = 529;

constexpr uint32_t kMmMciNotify = 0x3B9;
constexpr uint32_t kNotifySuccessful = 1;
constexpr uint32_t kNotifySuperseded = 2;
constexpr uint32_t kNotifyAborted = 4;

constexpr uint32_t kErrInvalidDeviceId = 257;
constexpr uint32_t kErrUnsupportedFunction = 274;
constexpr uint32_t kErrFileNotFound = 275;
constexpr uint32_t kErrInvalidFile = 296;
constexpr uint32_t kErrNonapplicableFunction = 302;
} // namespace Mci

// The commands a media player sends, each with the flags it always uses. Every call returns 0 when the
// device accepted it, otherwise an MCI error code. On Windows they go to mciSendCommandA; on Linux to the
// FFmpeg back end.
class IMciCommands {
public:
    virtual ~IMciCommands() = default;
    // MCI_OPEN with MCI_OPEN_ELEMENT and MCI_WAIT: the device is chosen from the file. Its positions and
    // length are in milliseconds from then on (MCI_SET_TIME_FORMAT), whatever the device's own unit.
    virtual uint32_t Open(const char* element, uint32_t& device) = 0;
    // MCI_CLOSE with MCI_WAIT.
    virtual uint32_t Close(uint32_t device, WindowRef callback) = 0;
    // MCI_PLAY with MCI_NOTIFY, from the current position to the end.
    virtual uint32_t Play(uint32_t device, WindowRef callback) = 0;
    // MCI_SEEK with MCI_SEEK_TO_START and MCI_WAIT.
    virtual uint32_t SeekToStart(uint32_t device) = 0;
    // MCI_STOP, MCI_PAUSE with MCI_WAIT.
    virtual uint32_t Stop(uint32_t device) = 0;
    virtual uint32_t Pause(uint32_t device) = 0;
    // MCI_RESUME with MCI_NOTIFY and callback 0.
    virtual uint32_t Resume(uint32_t device) = 0;
    // MCI_STATUS with MCI_STATUS_ITEM and MCI_WAIT.
    virtual uint32_t Status(uint32_t device, uint32_t item, uint32_t& value) = 0;
    // MCI_GETDEVCAPS with MCI_GETDEVCAPS_ITEM and MCI_WAIT.
    virtual uint32_t GetDevCaps(uint32_t device, uint32_t item, uint32_t& value) = 0;
    // MCI_WHERE with MCI_DGV_WHERE_SOURCE (source true) or MCI_DGV_WHERE_DESTINATION.
    virtual uint32_t Where(uint32_t device, bool source, MciRect& rect) = 0;
    // MCI_WINDOW with MCI_DGV_WINDOW_HWND and MCI_WAIT.
    virtual uint32_t SetWindow(uint32_t device, WindowRef window) = 0;
    // MCI_PUT with MCI_DGV_PUT_DESTINATION and MCI_DGV_RECT, not waiting.
    virtual uint32_t PutDestination(uint32_t device, const MciRect& rect) = 0;
    // The window's rectangle on the screen (GetWindowRect), left, top, right, bottom.
    virtual MciRect WindowRect(WindowRef window) = 0;
};

// The process's media control interface: the system's on Windows, FFmpeg's decoders on Linux.
IMciCommands& SystemMci();

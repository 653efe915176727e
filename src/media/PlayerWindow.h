#pragma once
#include "media/MediaInterfaces.h"

#include <cstdint>
#include <functional>

// The child window a sound or video player lives in, as the player's logic sees it: its own timers, and
// messages posted to the parent (the screensaver window).
class IPlayerWindow {
public:
    virtual ~IPlayerWindow() = default;
    // The window itself (the media device's notify window).
    virtual WindowRef Handle() = 0;
    virtual void SetTimer(uint32_t id, uint32_t ms) = 0;
    virtual void KillTimer(uint32_t id) = 0;
    virtual void PostToParent(uint32_t message) = 0;
    // Where the window's timer ticks go.
    std::function<void(uint32_t id)> onTimer;
};

#pragma once
#include "slides/StartMode.h"

#include <cstdint>

class UserSettings;

// What the close logic needs from its window.
class ICloseHost {
public:
    virtual ~ICloseHost() = default;
    virtual uint32_t TickCount() = 0;
    virtual void GetCursorPos(int32_t& x, int32_t& y) = 0;
    virtual void SetCursorPos(int32_t x, int32_t y) = 0;
    virtual void PostClose() = 0;
    // Re-evaluates the cursor's visibility (the window sends itself WM_SETCURSOR).
    virtual void RefreshCursor() = 0;
    // The platform's screen-saver password check; true when the password was right or no check exists.
    virtual bool VerifyPassword() = 0;
    virtual void Destroy() = 0;
};

// Turns user input into the decision to close the show. The options and the run-time close state live in
// the user settings, which are read afresh for every event.
class CloseEvents {
public:
    // How long after the window has come up a mouse movement only tells where the pointer is. Showing a
    // window makes the system report the pointer's position, which need not be where the show put it at
    // creation (under Wine the X server keeps its own pointer, which a cursor move made before the window is
    // on screen does not reach): such a report is no user input and must not close the show.
    static constexpr uint32_t kPointerSettleMs = 2000;

    CloseEvents(ICloseHost& host, UserSettings& settings, StartMode mode)
        : host_(host), settings_(settings), mode_(mode)
    {
    }

    void OnCreate();
    // The window is up (its first item presented): the pointer settles from here on. A later call (the
    // window's own word that it is on screen) starts the settling again.
    void OnShown();
    // Called for every event the window handles: remembers that the grace period has passed, so that the
    // tick count's wrap (every 49.7 days) never brings it back.
    void NoteTime() { GracePassed(); }
    // True when the key is consumed (never reaches dialog processing).
    bool OnKeyDown(uint32_t virtualKey);
    void OnChar(uint32_t code);
    void OnHelp(uint32_t wParamLow);
    // Mouse messages 0x200..0x208. True when the Program menu is to be shown.
    bool OnMouse(uint32_t message);
    // True when the close was answered here (no default processing).
    bool OnClose();
    // True when the cursor is to be visible.
    bool CursorVisible() const;

    StartMode Mode() const { return mode_; }

private:
    bool Listening() const;
    void RequestClose();
    void PasswordCheck();
    void ReadReferencePoint();
    bool GracePassed();
    bool PointerSettling();

    ICloseHost& host_;
    UserSettings& settings_;
    StartMode mode_;
    bool gracePassed_ = false;
    bool shown_ = false;
    bool settled_ = false;
    uint32_t shownAt_ = 0;
};

#pragma once
#include "saver/CloseEvents.h"
#include "saver/MediaSequencer.h"

#include <memory>

class UserSettings;

// Everything the show's logic needs from its window, on any platform.
class ISaverWindowHost : public ISequencerHost, public ICloseHost {
public:
    // Hides (true) or restores (false) the system's taskbar; nothing when there is none.
    virtual void ShowTaskbar(bool show) = 0;
    // Ends the modal run of the window.
    virtual void PostQuit(int code) = 0;
};

// The screensaver window's logic: close events, the media sequencer, the time limitation, and the order of
// start and end. The window forwards its messages here and carries out what it is told.
class SaverSession {
public:
    SaverSession(ISaverWindowHost& host, UserSettings& settings, SequencerOptions options, SequencerParts parts);

    // Window creation: start time and mouse reference point.
    void OnCreate();
    // After placement: first music track (paused), first item, taskbar, time limitation.
    void OnInit();
    // The window is on screen and taking messages (its pointer settles from here on).
    void OnShown() { close_.OnShown(); }
    // Timers 1 to 3; false for a timer that is not the show's.
    bool OnTimer(uint32_t id);
    // Messages 1032 to 1037, WM_CLOSE, WM_CHAR, WM_HELP and mouse input. Returns true when the message is
    // answered (no default processing); showMenu is set when the Program menu is to be shown.
    bool OnMessage(uint32_t message, uint32_t wParam, bool* showMenu = nullptr);
    // True when the key is consumed before dialog processing.
    bool OnKeyDown(uint32_t virtualKey) { return close_.OnKeyDown(virtualKey); }
    bool CursorVisible() const { return close_.CursorVisible(); }
    // Before the window is destroyed.
    void BeforeDestroy();
    // The window's destruction, in order: taskbar, players, media, sounds, temporary files.
    void OnDestroy();

    StartMode Mode() const { return mode_; }
    bool TimeLimited() const;
    MediaSequencer& Sequencer() { return sequencer_; }

private:
    void StartTimeLimitPeriod();

    ISaverWindowHost& host_;
    UserSettings& settings_;
    StartMode mode_;
    CloseEvents close_;
    MediaSequencer sequencer_;
    bool destroyed_ = false;
    uint64_t timeLimitLeftMs_ = 0; // of the time limitation, after the running timer period
};

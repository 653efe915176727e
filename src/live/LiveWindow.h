#pragma once
#include <cstdint>
#include <string>

#include "gfx/Geometry.h"
#include "live/LiveTarget.h"

class FrontBuffer;
struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

// The live show's window through SDL: full screen, an ordinary window, or an existing X window (XScreenSaver's
// or the root). What is on screen is the window's own surface (on X shared with the server): what changed in a
// front buffer is copied into it and only that part is shown, stretched over the window when the sizes differ.
// Pictures go to the screen at the display's pace, at most one every refresh.
class LiveWindow {
public:
    LiveWindow() = default;
    ~LiveWindow();
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;

    // Opens the window where the target says; `userMonitor` is the user setting's monitor, used unless the
    // target names one; `title` is UTF-8. False with a message when there is no display or the window cannot be had.
    bool Open(const LiveTarget& target, int32_t userMonitor, const std::string& title, std::string& error);

    // The window's drawing area now.
    Size ClientSize() const { return size_; }
    // The show covers a screen, so the pointer may be moved for it.
    bool CoversScreen() const { return coversScreen_; }
    // The window is another program's (or the root): its input is not the show's.
    bool Foreign() const { return foreign_; }
    // That program destroyed its window: the show has nowhere to draw any more.
    bool Gone() const;

    // Any thread, and signal handlers: makes the current or next Wait return.
    void Wake();
    // Waits up to `ms` for an event of the window; true with the event when one came, false after the time
    // or a wake-up.
    bool Wait(SDL_Event& event, uint32_t ms);
    bool Poll(SDL_Event& event);
    // Follows a window event; true when the drawing area changed size.
    bool NoteWindowEvent(const SDL_Event& event);

    // Shows the source's picture now: what changed of it, or all of it when it is another source than last
    // time (null: black). Presents only when something changed or the window asked to be drawn again; true
    // when it presented.
    bool Present(FrontBuffer* source);
    // Presents as Present does, once the display is due for a picture; returns the milliseconds after which
    // a change still waiting can be shown (0: nothing waits).
    uint32_t PresentPaced(FrontBuffer* source);
    // The window needs drawing again (exposed, resized).
    void Invalidate() { invalid_ = true; }

    void ShowCursor(bool visible);
    void MoveCursor(int x, int y);
    void CursorPosition(int& x, int& y);

private:
    bool TakeSurface(std::string& error);
    // Copies what changed in the source (or all of it) into the surface; the part of the window to show
    // again, empty when nothing changed.
    Rect CopyChanges(FrontBuffer& source, bool all);
    bool Waiting(FrontBuffer* source) const;

    SDL_Window* window_ = nullptr;
    SDL_Surface* surface_ = nullptr; // the window's; it goes with a new size
    Size size_;
    FrontBuffer* shown_ = nullptr;
    bool shownAny_ = false;
    bool invalid_ = true;
    bool surfaceNew_ = true;  // holds nothing shown yet
    int64_t nextPresent_ = 0; // steady-clock microseconds
    bool coversScreen_ = false;
    bool foreign_ = false;
    bool videoInitialised_ = false;
    // Wake-ups come through a descriptor of our own, waited on with the X connection: SDL's own wake-up is a
    // message to the window, which another program's window would deliver to that program.
    int wakeFd_ = -1;
    int displayFd_ = -1;
};

#include "live/LiveWindow.h"

#include "live/LiveLibraries.h"
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "app/posix/StopSignals.h"
#include "live/FrontBuffer.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "saver/MonitorRect.h"

static_assert(std::is_same_v<decltype(&::SDL_GetWindowWMInfo), decltype(LiveFunctions::SDL_GetWindowWMInfo)>);

namespace {

// The root window of the display SDL is about to use.
uint64_t RootWindowId()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    const uint64_t root = DefaultRootWindow(display);
    XCloseDisplay(display);
    return root;
}

// Errors about another program's window: it may be gone (XScreenSaver destroys its window as it stops a
// program, while the show may still be asking about it), which ends the show normally instead of the
// process. Other errors go to the handler before ours (Xlib's, which ends the process).
std::atomic<uint64_t> g_foreignWindow{0};
std::atomic<bool> g_foreignWindowGone{false};
XErrorHandler g_previousErrorHandler = nullptr;

int OnXError(Display* display, XErrorEvent* event)
{
    const uint64_t foreign = g_foreignWindow;
    if (foreign && event->resourceid == foreign &&
        (event->error_code == BadWindow || event->error_code == BadDrawable)) {
        g_foreignWindowGone = true;
        return 0;
    }
    // What was made for the window as it went (a GC SDL asked for) fails in turn as it is freed: the show
    // is ending, nothing about the window matters any more.
    if (foreign && g_foreignWindowGone)
        return 0;
    return g_previousErrorHandler ? g_previousErrorHandler(display, event) : 0;
}

// Ours is installed before SDL opens its display, so that SDL's own handler, which passes errors on to the one
// it found and puts that one back as it closes the display, passes them to ours: the errors that arrive as
// the display is closed, after the show, are about a window long gone too.
void InstallErrorHandler()
{
    static const bool installed = [] {
        g_previousErrorHandler = XSetErrorHandler(&OnXError);
        return true;
    }();
    (void)installed;
}

// Whether the id names a window on the display, asked before SDL takes it (SDL would end the process).
bool WindowExists(uint64_t id)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    g_foreignWindow = id;
    g_foreignWindowGone = false;
    XWindowAttributes attributes;
    const bool exists = XGetWindowAttributes(display, Window(id), &attributes) != 0;
    XSync(display, False);
    XCloseDisplay(display);
    const bool gone = g_foreignWindowGone.exchange(false);
    return exists && !gone;
}

std::string Hex(uint64_t id)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(id));
    return text;
}

} // namespace

LiveWindow::~LiveWindow()
{
    // A foreign window stays; SDL only lets go of it (and the surface goes with the window).
    if (window_)
        Live()->SDL_DestroyWindow(window_);
    // The window's id stays known: errors about it may still come as SDL closes its display.
    if (videoInitialised_)
        Live()->SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (wakeFd_ >= 0) {
        SetStopSignalWakeFd(-1);
        close(wakeFd_);
    }
}

bool LiveWindow::Open(const LiveTarget& target, int32_t userMonitor, const std::string& title, std::string& error)
{
    if (!Live()) {
        error = "cannot show anything without SDL2: " + LiveLoadError();
        return false;
    }
    const bool xWindow = target.kind == LiveTarget::Kind::Foreign || target.kind == LiveTarget::Kind::Root;
    // Windows of other programs are X windows, whatever the session would prefer.
    if (xWindow) {
        Live()->SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        InstallErrorHandler();
    }
    // The show ends on signals itself (StopSignals), after cleaning up.
    Live()->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A screen saver must not keep the system's own screen saver (or XScreenSaver's power saving) away.
    Live()->SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (Live()->SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display to show on: ") + Live()->SDL_GetError();
        return false;
    }
    videoInitialised_ = true;
    // Where no display answers (none at all, or an X server in the middle of a reset) SDL falls back to
    // drivers that draw into memory only: the show would run unseen and report nothing. Those are taken
    // only when asked for by name.
    const char* driver = Live()->SDL_GetCurrentVideoDriver();
    const std::string driverName = driver ? driver : "";
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if ((driverName == "offscreen" || driverName == "dummy" || driverName == "evdev") &&
        !(asked && driverName == asked)) {
        error = "no display to show on: neither X nor Wayland answers";
        return false;
    }
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        error = "cannot make the show's wake-up descriptor";
        return false;
    }
    SetStopSignalWakeFd(wakeFd_);

    switch (target.kind) {
    case LiveTarget::Kind::Foreign:
    case LiveTarget::Kind::Root: {
        const uint64_t id = target.kind == LiveTarget::Kind::Root ? RootWindowId() : target.windowId;
        if (!id || !WindowExists(id)) {
            error = "there is no X window " + Hex(id) + " on the display";
            return false;
        }
        g_foreignWindow = id;
        window_ = Live()->SDL_CreateWindowFrom(reinterpret_cast<void*>(static_cast<uintptr_t>(id)));
        if (!window_) {
            error = "cannot draw into the window " + Hex(id) + ": " + Live()->SDL_GetError();
            return false;
        }
        foreign_ = true;
        // Its destruction comes as a raw X event.
        Live()->SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
        // SDL hears nothing of another program's window unless asked: its size changes, exposures and its
        // destruction.
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (Live()->SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes))
                XSelectInput(info.info.x11.display, info.info.x11.window,
                             attributes.your_event_mask | StructureNotifyMask | ExposureMask);
        }
        break;
    }
    case LiveTarget::Kind::Window:
        window_ = Live()->SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, target.width,
                                           target.height, SDL_WINDOW_RESIZABLE);
        break;
    case LiveTarget::Kind::Screen: {
        const int monitor = target.monitor >= 0 ? target.monitor : userMonitor;
        LogShowOnScreen(DiagnosticLog::Instance(), monitor);
        MonitorTable monitors;
        int virtualWidth = 0, virtualHeight = 0;
        const int displays = Live()->SDL_GetNumVideoDisplays();
        for (int i = 0; i < displays; ++i) {
            SDL_Rect r;
            if (Live()->SDL_GetDisplayBounds(i, &r) != 0)
                continue;
            monitors.Add(r.x, r.y, r.x + r.w, r.y + r.h);
            virtualWidth = std::max(virtualWidth, r.x + r.w);
            virtualHeight = std::max(virtualHeight, r.y + r.h);
        }
        const MonitorArea area = ChooseMonitorArea(monitor, monitors, virtualWidth, virtualHeight);
        if (area.width < 1 || area.height < 1) {
            error = "the display reports no screen to cover";
            return false;
        }
        uint32_t flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;
        // One monitor is covered the way its desktop expects full screen; several by one window over them.
        if (monitors.Areas().size() == 1 || (monitor >= 1 && size_t(monitor) <= monitors.Areas().size()))
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        window_ = Live()->SDL_CreateWindow(title.c_str(), area.left, area.top, area.width, area.height, flags);
        coversScreen_ = true;
        if (window_)
            LogTopMost(DiagnosticLog::Instance());
        break;
    }
    }
    if (!window_) {
        error = std::string("cannot open a window: ") + Live()->SDL_GetError();
        return false;
    }
    if (!TakeSurface(error))
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (Live()->SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11)
        displayFd_ = ConnectionNumber(info.info.x11.display);
    return true;
}

bool LiveWindow::TakeSurface(std::string& error)
{
    // On X the window's surface is an image shared with the server, which takes a 4K frame in a few
    // milliseconds; a surface SDL emulates with OpenGL without a graphics card (a virtual or remote display,
    // a plain driver) reads every frame back, ten times as long. Where the driver has no surface of its own
    // (Wayland) SDL has to emulate it.
    const char* driver = Live()->SDL_GetCurrentVideoDriver();
    if (driver && std::string(driver) == "x11")
        Live()->SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    surface_ = Live()->SDL_GetWindowSurface(window_);
    surfaceNew_ = true;
    if (!surface_) {
        error = std::string("cannot draw in the window: ") + Live()->SDL_GetError();
        return false;
    }
    size_ = Size{std::max(surface_->w, 1), std::max(surface_->h, 1)};
    return true;
}

void LiveWindow::Wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
}

bool LiveWindow::Wait(SDL_Event& event, uint32_t ms)
{
    // Events Xlib has read already are not on the connection any more: they come first.
    if (Live()->SDL_PollEvent(&event) == 1)
        return true;
    pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {displayFd_, POLLIN, 0}};
    // Without an X connection (another video driver) the window is looked at every 10 ms.
    const int timeout = int(displayFd_ >= 0 ? std::min<uint32_t>(ms, INT_MAX) : std::min<uint32_t>(ms, 10));
    if (poll(fds, displayFd_ >= 0 ? 2 : 1, timeout) > 0 && (fds[0].revents & POLLIN)) {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = read(wakeFd_, &count, sizeof count);
    }
    return Live()->SDL_PollEvent(&event) == 1;
}

bool LiveWindow::Poll(SDL_Event& event)
{
    return Live()->SDL_PollEvent(&event) == 1;
}

bool LiveWindow::NoteWindowEvent(const SDL_Event& event)
{
    if (event.type == SDL_SYSWMEVENT && event.syswm.msg && event.syswm.msg->subsystem == SDL_SYSWM_X11) {
        const XEvent& x = event.syswm.msg->msg.x11.event;
        if (x.type == DestroyNotify && foreign_ && x.xdestroywindow.window == Window(g_foreignWindow.load()))
            g_foreignWindowGone = true;
        return false;
    }
    if (event.type != SDL_WINDOWEVENT || Live()->SDL_GetWindowFromID(event.window.windowID) != window_)
        return false;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED: invalid_ = true; return false;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        invalid_ = true;
        // The surface of the old size is gone; the next present makes the new one.
        surface_ = nullptr;
        int w = 0, h = 0;
        Live()->SDL_GetWindowSize(window_, &w, &h);
        const Size size{std::max(w, 1), std::max(h, 1)};
        if (size == size_)
            return false;
        size_ = size;
        return true;
    }
    default: return false;
    }
}

Rect LiveWindow::CopyChanges(FrontBuffer& source, bool all)
{
    Rect shown;
    source.Take(all, [&](const Picture& picture, const Rect& changed) {
        // The pictures' pixels are 0x00RRGGBB words: SDL's RGB888, which X's 24-bit surfaces take as they are.
        SDL_Surface* from = Live()->SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(picture.Pixels()),
                                                                       picture.Width(), picture.Height(), 32,
                                                                       picture.Stride() * 4, SDL_PIXELFORMAT_RGB888);
        if (!from)
            return;
        if (picture.Width() == surface_->w && picture.Height() == surface_->h) {
            SDL_Rect area{changed.left, changed.top, changed.Width(), changed.Height()};
            SDL_Rect to = area;
            Live()->SDL_UpperBlit(from, &area, surface_, &to);
            shown = changed;
        } else {
            // Another size (the window is being resized): the whole picture stretched over it.
            Live()->SDL_UpperBlitScaled(from, nullptr, surface_, nullptr);
            shown = Rect{0, 0, surface_->w, surface_->h};
        }
        Live()->SDL_FreeSurface(from);
    });
    return shown;
}

bool LiveWindow::Present(FrontBuffer* source)
{
    const bool newSource = source != shown_ || !shownAny_;
    if (!newSource && !invalid_ && !(source && source->Changed()))
        return false;
    std::string error;
    if (!surface_ && !TakeSurface(error))
        return false;
    const bool all = newSource || surfaceNew_;
    shown_ = source;
    shownAny_ = true;
    Rect area;
    if (source)
        area = CopyChanges(*source, all);
    if (all && area != Rect{0, 0, surface_->w, surface_->h}) {
        // Nothing to show yet, or a picture that does not cover the window: black around it.
        if (!source || area.IsEmpty())
            Live()->SDL_FillRect(surface_, nullptr, 0);
        area = Rect{0, 0, surface_->w, surface_->h};
    }
    if (invalid_)
        area = Rect{0, 0, surface_->w, surface_->h};
    invalid_ = false;
    surfaceNew_ = false;
    if (area.IsEmpty())
        return false;
    const SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
    Live()->SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
    return true;
}

bool LiveWindow::Waiting(FrontBuffer* source) const
{
    return invalid_ || source != shown_ || !shownAny_ || (source && source->Changed());
}

uint32_t LiveWindow::PresentPaced(FrontBuffer* source)
{
    using namespace std::chrono;
    // A display shows a new picture 60 times a second; more presents are never seen.
    constexpr int64_t kRefreshMicros = 16667;
    const int64_t now = duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    if (now < nextPresent_)
        return Waiting(source) ? uint32_t((nextPresent_ - now + 999) / 1000) : 0;
    if (Present(source))
        nextPresent_ = now + kRefreshMicros;
    return 0;
}

void LiveWindow::ShowCursor(bool visible)
{
    if (!foreign_)
        Live()->SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void LiveWindow::MoveCursor(int x, int y)
{
    Live()->SDL_WarpMouseGlobal(x, y);
}

void LiveWindow::CursorPosition(int& x, int& y)
{
    Live()->SDL_GetGlobalMouseState(&x, &y);
}

bool LiveWindow::Gone() const
{
    return foreign_ && g_foreignWindowGone;
}

#include "live/LiveShow.h"

#include "live/LiveLibraries.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/ScreensaverApp.h"
#include "app/posix/ShowMedia.h"
#include "app/posix/ShowStart.h"
#include "app/posix/StopSignals.h"
#include "live/FrontBuffer.h"
#include "live/LiveInput.h"
#include "live/LiveSlides.h"
#include "live/LiveWindow.h"
#include "live/SdlAudioSink.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "saver/HeadlessPlayers.h"
#include "saver/HeadlessShow.h"
#include "saver/LiveLoop.h"
#include "saver/SaverMessages.h"

namespace {

// How often a video on screen is drawn anew, and how long a window's size must hold before the slide is laid
// out again for it.
constexpr uint32_t kVideoFrameMs = 20;
constexpr uint32_t kRelayoutDelayMs = 200;

// The show's logic on the live window: the pointer is the real one, messages go to stderr as well.
class LiveShowWindow final : public HeadlessShow {
public:
    LiveShowWindow(EventLoop& loop, UserSettings& settings, SequencerOptions options, HeadlessShowParts parts,
                   LiveWindow& window)
        : HeadlessShow(loop, settings, std::move(options), std::move(parts)), window_(window)
    {
    }

    void GetCursorPos(int32_t& x, int32_t& y) override
    {
        int cx = 0, cy = 0;
        window_.CursorPosition(cx, cy);
        x = cx;
        y = cy;
    }
    // Over a whole screen the pointer goes where the show puts it; a show in a window leaves it to the user.
    void SetCursorPos(int32_t x, int32_t y) override
    {
        if (window_.CoversScreen())
            window_.MoveCursor(x, y);
    }
    void RefreshCursor() override
    {
        HeadlessShow::RefreshCursor();
        window_.ShowCursor(CursorShown());
    }
    void ShowMessage(const std::string& text) override
    {
        HeadlessShow::ShowMessage(text);
        std::fprintf(stderr, "%s\n", text.c_str());
    }

private:
    LiveWindow& window_;
};

class LiveSystem final : public PosixShowSystem {
public:
    explicit LiveSystem(const LiveTarget& target) : target_(target) { }
    void RunScreensaverWindow(ScreensaverApp& app) override;

private:
    const LiveTarget& target_;
};

// Hands one input event of the window to the show; false when the show is to end (the window was closed,
// or the process was asked to stop).
bool Deliver(const SDL_Event& event, LiveWindow& window, HeadlessShow& show, EventLoop& loop)
{
    switch (event.type) {
    case SDL_QUIT: return false;
    case SDL_WINDOWEVENT: return event.window.event != SDL_WINDOWEVENT_CLOSE;
    default: break;
    }
    // Another program's window: its input is that program's business (XScreenSaver ends the show itself).
    if (window.Foreign())
        return true;
    switch (event.type) {
    case SDL_KEYDOWN: show.KeyDown(VirtualKeyOf(event.key.keysym.sym)); break;
    case SDL_TEXTINPUT:
        if (static_cast<unsigned char>(event.text.text[0]) < 0x80 && event.text.text[0] != 0)
            loop.Post(SaverMsg::kChar, static_cast<uint32_t>(event.text.text[0]));
        break;
    case SDL_MOUSEMOTION: show.Mouse(SaverMsg::kMouseMove); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (const uint32_t message =
                MouseMessageOf(event.button.button, event.type == SDL_MOUSEBUTTONDOWN, event.button.clicks))
            show.Mouse(message);
        break;
    default: break;
    }
    return true;
}

void LiveSystem::RunScreensaverWindow(ScreensaverApp& app)
{
    ran = true;
    LiveWindow window;
    const std::string title =
        app.Project().GetAppName().empty() ? "Quillmark" : AnsiToSystemText(app.Project().GetAppName());
    if (!window.Open(target_, app.Settings().monitor, title, error))
        return;

    SdlAudioSink speaker;
    std::string reason;
    IAudioSink* sink = nullptr;
    if (speaker.Open(reason))
        sink = &speaker;
    else
        std::fprintf(stderr, "screensaver: no sound device (%s): the show runs silent\n", reason.c_str());

    LiveLoop loop(SystemClock());
    loop.wake = [&window] { window.Wake(); };
    ShowMedia media(app, loop, SystemClock(), sink);
    if (!media.Opened()) {
        error = "the project has no media items";
        return;
    }

    LiveSlides slides(
        loop, [&window] { return window.ClientSize(); }, &app.Database());
    slides.onChange = [&window] { window.Wake(); };
    AvMediaSystem& devices = media.Devices();
    VideoPlayerSetup videoSetup = media.VideoSetup();
    videoSetup.showCursor = [&window](bool visible) { window.ShowCursor(visible); };
    HeadlessVideos videos(loop, window.ClientSize(), devices, videoSetup,
                          [&devices](WindowRef panel, Picture& target, const Rect& area) {
                              return devices.DrawVideo(panel, target, area);
                          });
    FrontBuffer videoScreen;

    HeadlessShowParts parts = media.Parts(loop);
    parts.createSlidePlayer = [&slides] { return slides.Create(); };
    parts.createVideoPlayer = [&videos] { return videos.Create(); };
    LiveShowWindow show(loop, app.Settings(), media.Options(), parts, window);
    show.Start();

    uint64_t relayout = 0;
    uint64_t nextVideoFrame = 0;
    bool videoOnScreen = false;
    bool running = true;
    while (running && !StopSignalled() && !window.Gone() && !show.Destroyed() && !loop.QuitRequested()) {
        loop.RunDue();
        if (StopSignalled() || show.Destroyed() || loop.QuitRequested())
            break;

        // A video player on screen covers the slide window.
        const uint64_t now = loop.Now();
        if (now >= nextVideoFrame) {
            Rect changed;
            const Picture* video = videos.Screen(&changed);
            videoOnScreen = video != nullptr;
            if (video)
                videoScreen.Write(*video, changed);
            nextVideoFrame = now + kVideoFrameMs;
        }
        const uint32_t presentIn = window.PresentPaced(videoOnScreen ? &videoScreen : slides.Screen());

        uint32_t wait = std::min<uint32_t>(loop.MsUntilNextEvent(), 1000);
        if (presentIn > 0)
            wait = std::min(wait, presentIn);
        if (videoOnScreen)
            wait = std::min<uint32_t>(wait, uint32_t(nextVideoFrame - std::min(nextVideoFrame, loop.Now())));
        SDL_Event event;
        bool got = window.Wait(event, wait);
        while (got && running) {
            if (window.NoteWindowEvent(event)) {
                // Laid out again once the size holds, not for every step of a drag.
                loop.Cancel(relayout);
                relayout = loop.At(loop.Now() + kRelayoutDelayMs, [&] {
                    slides.Relayout();
                    videos.SetScreenSize(window.ClientSize());
                });
            }
            running = Deliver(event, window, show, loop);
            got = window.Poll(event);
        }
    }
    show.Destroy();
}

} // namespace

bool PlayLive(const LiveOptions& options, std::string& error)
{
    LiveTarget target;
    if (!ResolveLiveTarget(options, std::getenv("XSCREENSAVER_WINDOW"), target, error))
        return false;
    InstallStopSignals();
    LiveSystem system(target);
    const bool played = StartProjectShow(options.programPath, system, error);
    // What SDL keeps for the whole process (its connection to the session's message bus) goes too.
    if (const LiveFunctions* live = Live())
        live->SDL_Quit();
    return played;
}

#pragma once
#include <memory>
#include <vector>

#include "saver/HeadlessHost.h"
#include "slides/SlidePlayer.h"

class RenderFrames;

// The transition clock of a rendered show: virtual time that writes the frames due while a frame is on
// screen, so the frames inside a transition show its progress.
class RenderTransitionClock final : public IClock {
public:
    RenderTransitionClock(RenderFrames& frames, const Picture*& screen) : frames_(frames), screen_(screen) { }
    void Start(uint64_t now) { now_ = now; }
    uint64_t Now() const { return now_; }
    uint32_t TickCount() override { return static_cast<uint32_t>(now_); }
    void Sleep(uint32_t ms) override;

private:
    RenderFrames& frames_;
    const Picture*& screen_;
    uint64_t now_ = 0;
};

// The slide windows of a rendered show. A slide's transition runs on its worker thread as always, but
// the show waits for it and replays its end at the virtual time the transition took, so the rendering
// is the same on every run.
class RenderSlides {
public:
    RenderSlides(HeadlessHost& loop, RenderFrames& frames, Size screenSize, ProjectDatabase* db);
    ~RenderSlides();
    RenderSlides(const RenderSlides&) = delete;
    RenderSlides& operator=(const RenderSlides&) = delete;

    // A slide player in a new slide window of the show; it must go before this object does.
    std::unique_ptr<ISlidePlayer> Create();
    // A moving picture on screen takes its place at the show's time `now` (ms), before a frame is taken.
    void DrawMotionAt(uint64_t now);
    // What the screen shows now: the visible slide window's canvas, or null (black).
    const Picture* Screen() const { return screen_; }

private:
    class Host;
    void UpdateScreen();

    HeadlessHost& loop_;
    RenderFrames& frames_;
    Size size_;
    ProjectDatabase* db_;
    const Picture* screen_ = nullptr;
    RenderTransitionClock transitionClock_;
    std::vector<Host*> hosts_; // the slide windows there are, the newest last
};

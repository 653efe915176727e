#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "live/FrontBuffer.h"
#include "saver/LiveLoop.h"
#include "slides/SlidePlayer.h"

// The slide windows of a live show. Each one's transition runs on its worker thread on the real clock and
// presents into the window's front buffer; the end of a transition comes back to the player on the loop's
// thread.
class LiveSlides {
public:
    // `windowSize` gives the show window's size now.
    LiveSlides(LiveLoop& loop, std::function<Size()> windowSize, ProjectDatabase* db);
    ~LiveSlides();
    LiveSlides(const LiveSlides&) = delete;
    LiveSlides& operator=(const LiveSlides&) = delete;

    // A slide player in a new slide window of the show; it must go before this object does.
    std::unique_ptr<ISlidePlayer> Create();
    // The picture of the slide window on screen; null when none is shown.
    FrontBuffer* Screen() const { return screen_; }
    // Called for every front buffer's change (from any thread).
    std::function<void()> onChange;
    // The window has its new size: the slide on screen is laid out again for it.
    void Relayout();

private:
    class Host;
    // The last visible slide window is on screen.
    void UpdateScreen();

    LiveLoop& loop_;
    std::function<Size()> windowSize_;
    ProjectDatabase* db_;
    FrontBuffer* screen_ = nullptr;
    std::vector<Host*> hosts_; // the slide windows there are, the newest last
};

#pragma once
#include <functional>
#include <memory>

#include "live/FrontBuffer.h"
#include "saver/LiveLoop.h"
#include "saver/SlidePlayerFunctions.h"
#include "slides/SlidePlayerList.h"

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

    // The eight player functions the show drives the slide players with.
    IImagePlayerInterface& Players() { return functions_; }
    // The picture of the slide window on screen; null when none is shown.
    FrontBuffer* Screen() const { return screen_; }
    // Called for every front buffer's change (from any thread).
    std::function<void()> onChange;
    // The window has its new size: the slide on screen is laid out again for it.
    void Relayout();

private:
    class Host;
    Host* HostAt(int index);
    // The last visible slide window is on screen; `leaving` no longer counts.
    void UpdateScreen(const Host* leaving = nullptr);

    LiveLoop& loop_;
    std::function<Size()> windowSize_;
    FrontBuffer* screen_ = nullptr;
    SlidePlayerList list_;
    SlidePlayerFunctions functions_;
};

#include "render/RenderPlayers.h"

#include <algorithm>
#include <atomic>

#include "render/RenderFrames.h"
#include "transitions/ShowMessages.h"

void RenderTransitionClock::Sleep(uint32_t ms)
{
    // The frame stays on screen for the whole delay.
    frames_.CaptureBefore(now_ + ms, screen_);
    now_ += ms;
}

// One slide window without a display.
class RenderSlides::Host final : public ISlideWindowHost {
public:
    explicit Host(RenderSlides& owner) : owner_(owner) { owner_.hosts_.push_back(this); }
    ~Host() override
    {
        std::erase(owner_.hosts_, this);
        SetVisible(false);
    }

    // Only what a transition presents changes the screen between two frames.
    void Present(const Picture&, int x, int y, int w, int h) override
    {
        owner_.frames_.Presented(Rect{x, y, x + w, y + h});
    }
    void Post(uint32_t message, uint32_t serial) override
    {
        if (message == ShowMsg::kTransitionDone) {
            doneSerial_ = serial;
            transitionDone_ = true;
        }
    }
    Size ParentSize() override { return owner_.size_; }
    Size WindowSize() override { return owner_.size_; }
    IClock& WindowClock() override { return owner_.loop_.Clock(); }
    void PostToParent(uint32_t message) override { owner_.loop_.Post(message); }
    void AttachPlayer(SlidePlayer* player) override { player_ = player; }
    // A moving picture's frames are drawn at the frames' own times, so a render repeats exactly.
    bool DrivesMotion() override { return true; }

    // Asked for just before a slide's worker starts: the transition runs from now, on this window, which
    // the player shows as soon as the worker runs.
    IClock* TransitionClock() override
    {
        SetVisible(true);
        // The slide player drew into the canvas before the transition began.
        owner_.frames_.PresentedAll();
        owner_.transitionClock_.Start(owner_.loop_.Now());
        return &owner_.transitionClock_;
    }

    // The player shows its window once the worker runs: the show waits for the worker here and lets its
    // end arrive when the transition's virtual time has passed.
    void ShowWindow(bool show) override
    {
        if (show && player_) {
            player_->WaitForTransition();
            if (transitionDone_.exchange(false)) {
                SlidePlayer* player = player_;
                const uint32_t serial = doneSerial_;
                owner_.loop_.At(owner_.transitionClock_.Now(), [this, player, serial] {
                    if (player_ == player)
                        player->OnTransitionDone(serial);
                });
            }
        }
        SetVisible(show);
    }

    SlidePlayer* Player() const { return player_; }
    bool visible = false;

private:
    void SetVisible(bool show)
    {
        if (visible == show)
            return;
        visible = show;
        owner_.UpdateScreen();
    }

    RenderSlides& owner_;
    SlidePlayer* player_ = nullptr;
    std::atomic<bool> transitionDone_{false};
    std::atomic<uint32_t> doneSerial_{0};
};

RenderSlides::RenderSlides(HeadlessHost& loop, RenderFrames& frames, Size screenSize, ProjectDatabase* db)
    : loop_(loop), frames_(frames), size_(screenSize), db_(db), transitionClock_(frames, screen_)
{
}

RenderSlides::~RenderSlides() = default;

std::unique_ptr<ISlidePlayer> RenderSlides::Create()
{
    return SlidePlayer::Create(std::make_unique<Host>(*this), db_);
}

void RenderSlides::DrawMotionAt(uint64_t now)
{
    for (Host* host : hosts_) {
        if (host->Player() && host->visible)
            host->Player()->DrawMotionAt(static_cast<uint32_t>(now));
    }
}

void RenderSlides::UpdateScreen()
{
    frames_.PresentedAll();
    screen_ = nullptr;
    for (Host* host : hosts_) {
        if (host->Player() && host->visible)
            screen_ = &host->Player()->Canvas();
    }
}

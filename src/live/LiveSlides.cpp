#include "live/LiveSlides.h"

#include <algorithm>

#include "gfx/Region.h"
#include "platform/Clock.h"
#include "transitions/ShowMessages.h"

// One slide window of the live show.
class LiveSlides::Host final : public ISlideWindowHost {
public:
    explicit Host(LiveSlides& owner) : owner_(owner)
    {
        buffer.onChange = [this] {
            if (owner_.onChange)
                owner_.onChange();
        };
        owner_.hosts_.push_back(this);
    }
    ~Host() override
    {
        std::erase(owner_.hosts_, this);
        if (visible)
            owner_.UpdateScreen();
    }

    // The worker's thread.
    void Present(const Picture& canvas, int x, int y, int width, int height) override
    {
        buffer.Write(canvas, Rect::FromSize(x, y, width, height));
    }
    void PresentRegion(const Picture& canvas, const Region& region) override { buffer.Write(canvas, {}, {region}); }
    // A present at once: the window never shows half of it.
    void PresentChanges(const Picture& canvas, const std::vector<Rect>& rects,
                        const std::vector<Region>& regions) override
    {
        buffer.Write(canvas, rects, regions);
    }
    void Post(uint32_t message, uint32_t serial) override
    {
        if (message != ShowMsg::kTransitionDone)
            return;
        // The host outlives its player's worker, but not necessarily the message on its way.
        owner_.loop_.Invoke([alive = std::weak_ptr<Host*>(self_), serial] {
            if (auto host = alive.lock(); host && (*host)->player_)
                (*host)->player_->OnTransitionDone(serial);
        });
    }

    Size ParentSize() override { return owner_.windowSize_(); }
    Size WindowSize() override { return owner_.windowSize_(); }
    void ShowWindow(bool show) override
    {
        if (visible == show)
            return;
        visible = show;
        owner_.UpdateScreen();
    }
    void PostToParent(uint32_t message) override { owner_.loop_.Post(message); }
    IClock& WindowClock() override { return SystemClock(); }
    void AttachPlayer(SlidePlayer* player) override { player_ = player; }

    SlidePlayer* Player() const { return player_; }

    FrontBuffer buffer;
    bool visible = false;

private:
    LiveSlides& owner_;
    SlidePlayer* player_ = nullptr;
    std::shared_ptr<Host*> self_ = std::make_shared<Host*>(this);
};

LiveSlides::LiveSlides(LiveLoop& loop, std::function<Size()> windowSize, ProjectDatabase* db)
    : loop_(loop), windowSize_(std::move(windowSize)), db_(db)
{
}

LiveSlides::~LiveSlides() = default;

std::unique_ptr<ISlidePlayer> LiveSlides::Create()
{
    return SlidePlayer::Create(std::make_unique<Host>(*this), db_);
}

void LiveSlides::UpdateScreen()
{
    screen_ = nullptr;
    for (Host* host : hosts_) {
        if (host->visible)
            screen_ = &host->buffer;
    }
}

void LiveSlides::Relayout()
{
    for (Host* host : hosts_) {
        if (host->visible && host->Player())
            host->Player()->Relayout();
    }
}

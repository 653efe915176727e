#include "saver/HeadlessPlayers.h"

#include "media/SoundPlayer.h"

#include <algorithm>
#include <map>

namespace {

// The timers of one child window, periodic in the host's virtual time.
class ChildTimers {
public:
    ChildTimers(EventLoop& loop, std::function<void(uint32_t)>& target) : loop_(loop), target_(target) { }
    ~ChildTimers()
    {
        for (const auto& [id, ticket] : tickets_)
            loop_.Cancel(ticket);
    }
    ChildTimers(const ChildTimers&) = delete;
    ChildTimers& operator=(const ChildTimers&) = delete;

    void Set(uint32_t id, uint32_t ms)
    {
        Kill(id);
        Arm(id, ms == 0 ? 1 : ms);
    }
    void Kill(uint32_t id)
    {
        auto it = tickets_.find(id);
        if (it == tickets_.end())
            return;
        loop_.Cancel(it->second);
        tickets_.erase(it);
    }

private:
    void Arm(uint32_t id, uint32_t period)
    {
        tickets_[id] = loop_.At(loop_.Now() + period, [this, id, period] {
            Arm(id, period);
            if (target_)
                target_(id);
        });
    }

    EventLoop& loop_;
    std::function<void(uint32_t)>& target_;
    std::map<uint32_t, uint64_t> tickets_;
};

class HeadlessSoundWindow final : public IPlayerWindow {
public:
    explicit HeadlessSoundWindow(EventLoop& loop) : loop_(loop), timers_(loop, onTimer) { }
    WindowRef Handle() override { return this; }
    void SetTimer(uint32_t id, uint32_t ms) override { timers_.Set(id, ms); }
    void KillTimer(uint32_t id) override { timers_.Kill(id); }
    void PostToParent(uint32_t message) override { loop_.Post(message); }

private:
    EventLoop& loop_;
    ChildTimers timers_;
};

} // namespace

std::unique_ptr<ISoundPlayer> CreateHeadlessSoundPlayer(EventLoop& loop, IMciCommands& mci, uint32_t endMessage)
{
    return std::make_unique<SoundPlayer>(std::make_unique<HeadlessSoundWindow>(loop), mci, endMessage);
}

class HeadlessVideos::Window final : public IVideoWindow {
public:
    explicit Window(HeadlessVideos& owner) : owner_(owner), timers_(owner.loop_, onTimer)
    {
        serial = ++owner_.nextSerial_;
        owner_.windows_.insert(owner_.windows_.begin(), this);
    }
    ~Window() override { std::erase(owner_.windows_, this); }

    WindowRef Handle() override { return this; }
    void SetTimer(uint32_t id, uint32_t ms) override { timers_.Set(id, ms); }
    void KillTimer(uint32_t id) override { timers_.Kill(id); }
    void PostToParent(uint32_t message) override { owner_.loop_.Post(message); }
    Size ClientSize() override { return owner_.screen_; }
    uint32_t TickCount() override { return owner_.loop_.Clock().TickCount(); }
    WindowRef CreatePanel(const Rect& rect) override
    {
        panel = rect;
        hasPanel = true;
        panelVisible = true;
        Redraw();
        return &panel;
    }
    void ShowPanel(bool show) override
    {
        panelVisible = show;
        Redraw();
    }
    // The screen is composed from the background buffer whenever it is captured.
    void CopyBackground() override { Redraw(); }
    void Show() override
    {
        Redraw();
        visible = true;
        std::erase(owner_.windows_, this);
        owner_.windows_.push_back(this);
    }
    void HideBehind() override
    {
        Redraw();
        visible = false;
        std::erase(owner_.windows_, this);
        owner_.windows_.insert(owner_.windows_.begin(), this);
    }

    VideoPlayer* player = nullptr;
    bool visible = false;
    bool hasPanel = false;
    bool panelVisible = false;
    Rect panel;
    uint64_t serial = 0;

private:
    void Redraw()
    {
        if (owner_.composedFor_ == serial)
            owner_.composedFor_ = 0;
    }

    HeadlessVideos& owner_;
    ChildTimers timers_;
};

HeadlessVideos::HeadlessVideos(EventLoop& loop, Size screen, IMciCommands& mci, VideoPlayerSetup setup, DrawPanel draw)
    : loop_(loop), screen_(screen), mci_(mci), setup_(std::move(setup)), draw_(std::move(draw))
{
}

HeadlessVideos::~HeadlessVideos() = default;

std::unique_ptr<IVideoPlayer> HeadlessVideos::Create()
{
    auto window = std::make_unique<Window>(*this);
    Window& w = *window;
    auto player = std::make_unique<VideoPlayer>(std::move(window), mci_, setup_);
    w.player = player.get();
    player->OnInitDialog();
    return player;
}

const Picture* HeadlessVideos::Screen(Rect* changed)
{
    if (windows_.empty() || !windows_.back()->visible) {
        composedFor_ = 0;
        return nullptr;
    }
    Window& top = *windows_.back();
    const Picture& background = top.player->Background();
    // A player keeps the size its window had when it was made.
    const Size size = background.IsLoaded() ? Size{background.Width(), background.Height()} : screen_;
    if (canvas_.Width() != size.cx || canvas_.Height() != size.cy) {
        canvas_.CreateBlank(size.cx, size.cy, 0);
        composedFor_ = 0;
    }
    // Only the panel moves while the same player stays on top.
    const bool panelOnly = changed && composedFor_ == top.serial && top.hasPanel && top.panelVisible;
    const Rect area = panelOnly ? top.panel.Intersect(canvas_.GetRect()) : canvas_.GetRect();
    if (background.IsLoaded())
        canvas_.BitBlt(area.left, area.top, area.Width(), area.Height(), background, area.left, area.top);
    else
        canvas_.FillRect(area, 0);
    if (top.hasPanel && top.panelVisible && !(draw_ && draw_(&top.panel, canvas_, top.panel)))
        canvas_.FillRect(top.panel, 0);
    composedFor_ = top.serial;
    if (changed)
        *changed = area;
    return &canvas_;
}

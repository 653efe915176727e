#include "saver/HeadlessPlayers.h"

#include "media/SoundPlayer.h"

#include <algorithm>
#include <map>

namespace {

// The timers of one child window, periodic in the host's virtual time.
class CChildTimers {
public:
    CChildTimers(CHeadlessHost& loop, std::function<void(uint32_t)>& target) : loop_(loop), target_(target) { }
    ~CChildTimers()
    {
        for (const auto& [id, ticket] : tickets_)
            loop_.Cancel(ticket);
    }
    CChildTimers(const CChildTimers&) = delete;
    CChildTimers& operator=(const CChildTimers&) = delete;

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

    CHeadlessHost& loop_;
    std::function<void(uint32_t)>& target_;
    std::map<uint32_t, uint64_t> tickets_;
};

class CHeadlessSoundWindow final : public IPlayerWindow {
public:
    explicit CHeadlessSoundWindow(CHeadlessHost& loop) : loop_(loop), timers_(loop, onTimer) { }
    WindowRef Handle() override { return this; }
    void SetTimer(uint32_t id, uint32_t ms) override { timers_.Set(id, ms); }
    void KillTimer(uint32_t id) override { timers_.Kill(id); }
    void PostToParent(uint32_t message) override { loop_.Post(message); }

private:
    CHeadlessHost& loop_;
    CChildTimers timers_;
};

} // namespace

std::unique_ptr<ISoundPlayer> CreateHeadlessSoundPlayer(CHeadlessHost& loop, IMciCommands& mci, uint32_t endMessage)
{
    return std::make_unique<CSoundPlayer>(std::make_unique<CHeadlessSoundWindow>(loop), mci, endMessage);
}

class CHeadlessVideos::Window final : public IVideoWindow {
public:
    explicit Window(CHeadlessVideos& owner) : owner_(owner), timers_(owner.loop_, onTimer)
    {
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
        return &panel;
    }
    void ShowPanel(bool show) override { panelVisible = show; }
    // The screen is composed from the background buffer whenever it is captured.
    void CopyBackground() override { }
    void Show() override
    {
        visible = true;
        std::erase(owner_.windows_, this);
        owner_.windows_.push_back(this);
    }
    void HideBehind() override
    {
        visible = false;
        std::erase(owner_.windows_, this);
        owner_.windows_.insert(owner_.windows_.begin(), this);
    }

    CVideoPlayer* player = nullptr;
    bool visible = false;
    bool hasPanel = false;
    bool panelVisible = false;
    Rect panel;

private:
    CHeadlessVideos& owner_;
    CChildTimers timers_;
};

CHeadlessVideos::CHeadlessVideos(CHeadlessHost& loop, Size screen, IMciCommands& mci, VideoPlayerSetup setup,
                                 DrawPanel draw)
    : loop_(loop), screen_(screen), mci_(mci), setup_(std::move(setup)), draw_(std::move(draw))
{
}

CHeadlessVideos::~CHeadlessVideos() = default;

std::unique_ptr<IVideoPlayer> CHeadlessVideos::Create()
{
    auto window = std::make_unique<Window>(*this);
    Window& w = *window;
    auto player = std::make_unique<CVideoPlayer>(std::move(window), mci_, setup_);
    w.player = player.get();
    player->OnInitDialog();
    return player;
}

const CComPicture* CHeadlessVideos::Screen()
{
    if (windows_.empty() || !windows_.back()->visible)
        return nullptr;
    Window& top = *windows_.back();
    if (canvas_.Width() != screen_.cx || canvas_.Height() != screen_.cy)
        canvas_.CreateBlank(screen_.cx, screen_.cy, 0);
    const CComPicture& background = top.player->Background();
    if (background.IsLoaded())
        canvas_.BitBlt(0, 0, screen_.cx, screen_.cy, background, 0, 0);
    else
        canvas_.FillRect(canvas_.GetRect(), 0);
    if (top.hasPanel && top.panelVisible && !(draw_ && draw_(&top.panel, canvas_, top.panel)))
        canvas_.FillRect(top.panel, 0);
    return &canvas_;
}

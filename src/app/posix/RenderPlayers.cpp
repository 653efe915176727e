#include "app/posix/RenderPlayers.h"

#include <atomic>

#include "app/posix/RenderFrames.h"
#include "saver/SaverMessages.h"

void CRenderTransitionClock::Sleep(uint32_t ms)
{
    // The frame stays on screen for the whole delay.
    frames_.CaptureBefore(now_ + ms, screen_);
    now_ += ms;
}

// One slide window without a display.
class CRenderImagePlayers::Host final : public ISlideWindowHost {
public:
    Host(CRenderImagePlayers& owner) : owner_(owner) {}

    void Present(const CComPicture&, int, int, int, int) override {}
    void Post(uint32_t message) override
    {
        if (message == kTransitionDoneMessage)
            transitionDone_ = true;
    }
    Size ParentSize() override { return owner_.size_; }
    Size WindowSize() override { return owner_.size_; }
    void ShowWindow(bool show) override
    {
        if (visible == show)
            return; // the show made it visible before its transition started
        visible = show;
        owner_.UpdateScreen();
    }
    void PostToParent(uint32_t message) override { owner_.loop_.Post(message); }
    IClock& WindowClock() override { return owner_.loop_.Clock(); }
    IClock* TransitionClock() override { return &owner_.transitionClock_; }

    bool TakeTransitionDone() { return transitionDone_.exchange(false); }

    bool visible = false;

private:
    CRenderImagePlayers& owner_;
    std::atomic<bool> transitionDone_{false};
};

CRenderImagePlayers::CRenderImagePlayers(CHeadlessHost& loop, CRenderFrames& frames, Size screenSize, CMyXMLDb* db)
    : loop_(loop),
      frames_(frames),
      size_(screenSize),
      transitionClock_(frames, screen_),
      list_(
          [this](void*) {
              auto host = std::make_unique<Host>(*this);
              hosts_.push_back(host.get());
              return host;
          },
          db)
{
}

CRenderImagePlayers::~CRenderImagePlayers() = default;

void CRenderImagePlayers::UpdateScreen()
{
    screen_ = nullptr;
    for (int i = 0; i < list_.Count(); ++i) {
        CImageSlideShowPlayer* p = list_.Player(i);
        if (p && hosts_[static_cast<size_t>(i)]->visible)
            screen_ = &p->Canvas();
    }
}

int CRenderImagePlayers::CreatePlayer(WindowRef parent)
{
    return list_.CreatePlayer(parent);
}

void CRenderImagePlayers::DestroyPlayer(int player)
{
    list_.DestroyPlayer(player);
    UpdateScreen();
}

void CRenderImagePlayers::SetPlayerSettings(int player, CSaverSettings* settings, CKADOGlobeSettings* project)
{
    list_.SetPlayerSettings(player, settings, project);
}

void CRenderImagePlayers::ShowSlide(int player, CMediaSetting* media)
{
    CImageSlideShowPlayer* p = list_.Player(player);
    if (!p) {
        list_.ShowSlide(player, media);
        return;
    }
    // The transition runs from now in its own virtual time, on the window that is about to be shown;
    // its end arrives in the show when that time has passed.
    Host* host = hosts_[static_cast<size_t>(player)];
    transitionClock_.Start(loop_.Now());
    host->ShowWindow(true);
    list_.ShowSlide(player, media);
    p->WaitForTransition();
    if (host->TakeTransitionDone()) {
        loop_.At(transitionClock_.Now(), [this, player] {
            if (CImageSlideShowPlayer* q = list_.Player(player))
                q->OnTransitionDone();
        });
    }
}

void CRenderImagePlayers::StopTransition(int player)
{
    list_.StopTransition(player);
}

void CRenderImagePlayers::HidePlayer(int player, int hide)
{
    list_.HidePlayer(player, hide);
}

void CRenderImagePlayers::SetPlayerMode(int player, StartMode mode)
{
    list_.SetPlayerMode(player, static_cast<int>(mode));
}

void CRenderImagePlayers::SetPlayerMedia(int player, CMedia* media)
{
    list_.SetPlayerMedia(player, media);
}

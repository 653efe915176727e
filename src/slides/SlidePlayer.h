#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "base/AutoResetEvent.h"
#include "gfx/Picture.h"
#include "slides/SlideMotion.h"
#include "slides/SlidePlayerInterface.h"
#include "slides/SlidePrefetch.h"
#include "transitions/TransitionRequest.h"

class ProjectInfo;
class MediaTable;
class MediaPlaylist;
class ProjectDatabase;
class UserSettings;
class SlideBackground;
class SlidePlayer;
class IClock;

// The platform window a slide player lives in (a child dialog on Windows, a recorder in the headless
// host). Present and Post are called from the transition's worker thread; a posted ShowMsg::kTransitionDone
// must come back to the player's OnTransitionDone on the window's own thread.
class ISlideWindowHost : public ITransitionWindow {
public:
    // The parent window's size, which the slide window takes at its start.
    virtual Size ParentSize() = 0;
    // The slide window's current size.
    virtual Size WindowSize() = 0;
    virtual void ShowWindow(bool show) = 0;
    virtual void PostToParent(uint32_t message) = 0;
    // Vertical dots per inch for font heights.
    virtual int LogPixelsY() { return 96; }
    // The window thread's sleeps (30 ms before the finished message, 100 ms after a stop).
    virtual IClock& WindowClock() = 0;
    // The worker's frame delays; null means the system clock.
    virtual IClock* TransitionClock() { return nullptr; }
    // The player living in this window (null when it goes), for the window's own messages.
    virtual void AttachPlayer(SlidePlayer*) { }
    // Whether the window draws a moving picture's frames itself, at the times it chooses (DrawMotionAt), as a
    // render in virtual time does; otherwise the player draws them on a thread of its own, on the window clock.
    virtual bool DrivesMotion() { return false; }
};

// The slide window: composes each image item with its background and texts and reveals it with a
// transition on a worker thread.
class SlidePlayer : public ISlidePlayer {
public:
    explicit SlidePlayer(ISlideWindowHost& host);
    ~SlidePlayer() override;
    SlidePlayer(const SlidePlayer&) = delete;
    SlidePlayer& operator=(const SlidePlayer&) = delete;

    // Window creation: background and canvas black and as large as the parent.
    void OnInitDialog();
    // The transition with this serial ran to its end (WM_USER+9 on the window's thread, serial in wParam).
    void OnTransitionDone(uint32_t serial);
    // The window's destruction.
    void OnDestroy();

    // A player living in `window`, which it owns and destroys after itself, initialised for its first
    // slide; null when the window could not be made.
    static std::unique_ptr<SlidePlayer> Create(std::unique_ptr<ISlideWindowHost> window, ProjectDatabase* db);

    void SetMode(StartMode mode) override { startMode_ = mode; }
    void SetSettings(UserSettings* settings, ProjectInfo* project) override;
    void SetMedia(MediaTable* media) override { mediaTable_ = media; }
    void SetDatabase(ProjectDatabase* db) { db_ = db; }

    void ShowSlide(MediaPlaylist* mediaSetting) override;
    void ComposeSlide();
    void StopTransition() override;
    void Hide(int hide) override;
    void PrepareSlide(const std::string& fileName, bool colourKey, int zoomPercent) override;
    // The window took a new size (a window the user resizes, on Linux): the pictures take it and the slide
    // on screen is composed again for it and shown at once. Only for a player on screen; nothing when the
    // size is the same.
    void Relayout();

    // Over the show in Saver mode the cursor stays hidden, unless the password dialog is up.
    bool HidesCursor() const;
    // The window the player lives in.
    ISlideWindowHost& Host() { return host_; }

    // What the window repaints from.
    const Picture& Canvas() const { return canvas_; }
    const Picture& BackgroundPicture() const { return background_; }
    const Picture& SlidePicture() const { return slide_; }
    const TransitionRequest& Request() const { return request_; }
    uint32_t TransitionSerial() const { return serial_; }
    bool Finished() const { return finished_ != 0; }
    // Whether the slide on screen was composed from a picture prepared while the slide before was shown.
    bool PreparedBeforehand() const { return preparedBeforehand_; }
    // Blocks until the running transition (if any) has ended, without stopping it. For hosts that run
    // in virtual time and need the worker's result before they go on.
    void WaitForTransition();
    // A window that drives the pan and zoom (DrivesMotion): draws the frame of the moment `tick` (the window
    // clock's milliseconds) and presents what changed. Nothing before the slide's transition has ended.
    void DrawMotionAt(uint32_t tick);
    bool Moving() const { return motion_.Started(); }

private:
    void PreparePainter(SlideBackground& painter, Picture& target);
    void PaintWindowBackground();
    void StartWorker();
    void JoinWorker();
    // The pan and zoom of the slide just shown: planned while composing, begun when its transition has ended
    // (on a thread of its own unless the window drives it), stopped before the window changes anything.
    void PlanMotion(Picture& image, const Rect& onWindow, Size source, bool opaque, uint32_t displayMs);
    void StartMotion();
    void StopMotion();
    void RunMotion();

    std::unique_ptr<ISlideWindowHost> ownedHost_; // destroyed last, once the player has let go of it
    ISlideWindowHost& host_;
    Picture background_;
    Picture canvas_;
    Picture slide_;
    StartMode startMode_ = StartMode::None;
    MediaPlaylist* mediaSetting_ = nullptr;
    ProjectInfo* project_ = nullptr;
    UserSettings* settings_ = nullptr;
    MediaTable* mediaTable_ = nullptr;
    ProjectDatabase* db_ = nullptr;
    TransitionRequest request_;
    std::thread worker_;
    std::atomic<int> stop_{0};
    std::atomic<int> finished_{1};
    uint32_t serial_ = 0; // of the latest transition started
    AutoResetEvent completion_;
    SlideMotion motion_;
    std::thread motionThread_;
    std::atomic<int> motionStop_{0};
    AutoResetEvent motionWake_;
    bool relayout_ = false;    // composing again for a new window size: the same slide, no effect
    bool announceDone_ = true; // the end of the running transition tells the owner the item is shown
    SlidePrefetch prefetch_;   // the picture of the item that comes next
    bool preparedBeforehand_ = false;
};

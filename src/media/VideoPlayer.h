#pragma once
#include "gfx/Picture.h"
#include "media/MediaDevicePlayer.h"
#include "media/PlayerWindow.h"
#include "slides/StartMode.h"

#include <functional>
#include <memory>
#include <string>

class ProjectInfo;
class MediaTable;
class MediaPlaylist;
class ProjectDatabase;
class UserSettings;

// The dialog a video player lives in, beyond the timers and posts of every player window.
class IVideoWindow : public IPlayerWindow {
public:
    // The dialog's size, which is its parent's.
    virtual Size ClientSize() = 0;
    virtual uint32_t TickCount() = 0;
    // Creates the panel the video plays in (identifier 2004) at the rectangle; returns its window.
    virtual WindowRef CreatePanel(const Rect& rect) = 0;
    virtual void ShowPanel(bool show) = 0;
    // Copies the background buffer onto the dialog now.
    virtual void CopyBackground() = 0;
    virtual void Show() = 0;
    // Bottom of the z-order at (0, 0) with the parent's size, hidden, not activated.
    virtual void HideBehind() = 0;
};

// What every video player of a show shares.
struct VideoPlayerSetup {
    StartMode startMode = StartMode::None;
    UserSettings* settings = nullptr; // the close-event state
    ProjectInfo* project = nullptr;
    ProjectDatabase* database = nullptr; // background pictures
    // Shows or hides the cursor; the show keeps one display state for all its windows.
    std::function<void(bool visible)> showCursor;
};

// A video item on screen: the item's slide background over the whole window and the video in a panel
// sized and placed by the item's display mode. It starts playing 10 ms after its dialog was set up, checks
// for the end once a second and then either plays the video again (when it is the project's only item) or
// tells the screensaver window that the item is done (WM_USER+8).
class VideoPlayer final : public IVideoPlayer {
public:
    static constexpr uint32_t kStartTimer = 0;
    static constexpr uint32_t kStartMs = 10;
    static constexpr uint32_t kEndTimer = 1;
    static constexpr uint32_t kEndMs = 1000;
    static constexpr uint32_t kPanelId = 2004;
    // A looping video that ends at the first check after its start (one that cannot be opened does so every
    // second, for ever) has its restart line logged the first time and then at most this often.
    static constexpr uint32_t kLoopLogMs = 60000;

    VideoPlayer(std::unique_ptr<IVideoWindow> window, IMciCommands& mci, const VideoPlayerSetup& setup);
    ~VideoPlayer() override;

    // The dialog's initialisation: the background buffer at the window's size, then the start timer.
    void OnInitDialog();
    void OnTimer(uint32_t id);
    // Whether a repaint copies the background buffer onto the dialog.
    bool PaintsBackground() const;
    // Over the full-screen show the cursor stays hidden, unless the password dialog is up.
    bool CursorVisible() const;

    // IVideoPlayer
    void SetVideoPath(const std::string& path) override { path_ = path; }
    void SetMediaSetting(MediaPlaylist* media) override { mediaSetting_ = media; }
    void SetMedia(MediaTable* media) override { media_ = media; }
    void DrawBackground() override;
    void Show() override { window_->Show(); }
    void HideBehind() override { window_->HideBehind(); }
    void CloseVideo(int send) override;
    void StopVideo(int send);

    const Picture& Background() const { return background_; }
    const Rect& PanelRect() const { return panelRect_; }
    WindowRef Panel() const { return panel_; }
    bool Playing() const { return playing_; }
    bool Loops() const { return loop_; }
    int32_t DisplayMode() const;
    MediaDevicePlayer& Device() { return player_; }
    IVideoWindow& Window() { return *window_; }
    const VideoPlayerSetup& Setup() const { return setup_; }

private:
    void StartVideo(bool loop);
    bool Ended();
    void LogLoop(bool endedAtOnce);

    std::unique_ptr<IVideoWindow> window_;
    VideoPlayerSetup setup_;
    MediaPlaylist* mediaSetting_ = nullptr;
    MediaTable* media_ = nullptr;
    std::string path_;
    Picture background_;
    WindowRef panel_ = nullptr;
    Rect panelRect_;
    MediaDevicePlayer player_;
    bool startPending_ = false;
    bool polling_ = false;
    bool playing_ = false;
    bool loop_ = false;
    bool send_ = true;
    int checksSinceStart_ = 0;
    bool loopLogged_ = false;
    uint32_t loopLoggedAt_ = 0;
};

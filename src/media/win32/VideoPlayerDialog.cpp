#include "media/win32/VideoPlayerDialog.h"

#include "gfx/win32/PictureDC.h"
#include "media/win32/VideoPanel.h"
#include "model/UserSettings.h"

namespace {

constexpr int kTemplate = 146;
// Marks a video player's dialog, so that key presses over it are found before dialog processing.
const char kProperty[] = "QuillmarkVideoPlayer";

class VideoPlayerDialog final : public IVideoWindow {
public:
    explicit VideoPlayerDialog(HWND parent) : parent_(parent) { }
    ~VideoPlayerDialog() override
    {
        player_ = nullptr;
        ReleaseFocus();
        panel_.reset();
        if (hwnd_)
            DestroyWindow(hwnd_);
    }

    bool Create(VideoPlayer& player)
    {
        player_ = &player;
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTemplate), parent_, Proc,
                           reinterpret_cast<LPARAM>(this));
        return hwnd_ != nullptr;
    }

    WindowRef Handle() override { return hwnd_; }
    void SetTimer(uint32_t id, uint32_t ms) override { ::SetTimer(hwnd_, id, ms, nullptr); }
    void KillTimer(uint32_t id) override { ::KillTimer(hwnd_, id); }
    void PostToParent(uint32_t message) override { PostMessageA(parent_, message, 0, 0); }

    Size ClientSize() override
    {
        RECT r{};
        GetClientRect(hwnd_, &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    uint32_t TickCount() override { return GetTickCount(); }
    WindowRef CreatePanel(const Rect& rect) override
    {
        panel_.reset();
        panel_ = std::make_unique<VideoPanel>(*player_, hwnd_, rect.left, rect.top, rect.Width(), rect.Height());
        return panel_->Handle();
    }
    void ShowPanel(bool show) override
    {
        if (panel_ && panel_->Handle())
            ShowWindow(panel_->Handle(), show ? SW_SHOW : SW_HIDE);
    }
    void CopyBackground() override
    {
        if (!player_)
            return;
        const Picture& background = player_->Background();
        HDC dc = GetDC(hwnd_);
        PaintPicture(dc, 0, 0, background.Width(), background.Height(), background, 0, 0);
        ReleaseDC(hwnd_, dc);
    }
    void Show() override { ShowWindow(hwnd_, SW_SHOW); }
    void HideBehind() override
    {
        RECT r{};
        GetWindowRect(parent_, &r);
        ReleaseFocus();
        SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, r.right - r.left, r.bottom - r.top, SWP_HIDEWINDOW | SWP_NOACTIVATE);
    }

private:
    // The dialog manager hands the keyboard focus to this dialog when the window that had it is hidden. A
    // hidden or destroyed dialog must give it back: keys without a focus window never reach the show.
    void ReleaseFocus()
    {
        HWND focus = GetFocus();
        if (hwnd_ && focus && (focus == hwnd_ || IsChild(hwnd_, focus)))
            SetFocus(parent_);
    }

    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
            auto* self = reinterpret_cast<VideoPlayerDialog*>(lParam);
            self->hwnd_ = hwnd;
            SetPropA(hwnd, kProperty, self);
        }
        auto* self = reinterpret_cast<VideoPlayerDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
        if (!self)
            return FALSE;
        if (message == WM_NCDESTROY) {
            RemovePropA(hwnd, kProperty);
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            self->hwnd_ = nullptr;
            return FALSE;
        }
        return self->player_ ? self->OnMessage(message, wParam, lParam) : FALSE;
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const VideoPlayerSetup& setup = player_->Setup();
        switch (message) {
        case WM_INITDIALOG: {
            if (setup.startMode == StartMode::Saver && setup.settings) {
                // The mouse is measured from where the player put it.
                ::SetCursorPos(-10, -10);
                POINT p{};
                ::GetCursorPos(&p);
                setup.settings->referencePoint = {int32_t(p.x), int32_t(p.y)};
            }
            RECT r{};
            GetWindowRect(parent_, &r);
            MoveWindow(hwnd_, 0, 0, r.right - r.left, r.bottom - r.top, FALSE);
            player_->OnInitDialog();
            return FALSE;
        }
        case WM_TIMER:
            if (onTimer)
                onTimer(uint32_t(wParam));
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            if (player_->PaintsBackground()) {
                const Picture& background = player_->Background();
                PaintPicture(dc, 0, 0, background.Width(), background.Height(), background, 0, 0);
            }
            EndPaint(hwnd_, &ps);
            return TRUE;
        }
        case WM_SETCURSOR:
            if (setup.showCursor)
                setup.showCursor(player_->CursorVisible());
            return FALSE;
        case WM_HELP: PostMessageA(parent_, WM_HELP, wParam, lParam); return TRUE;
        case WM_CHAR: PostMessageA(parent_, message, wParam, lParam); return FALSE;
        default:
            if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP)
                PostMessageA(parent_, message, wParam, lParam);
            return FALSE;
        }
    }

    HWND parent_;
    HWND hwnd_ = nullptr;
    VideoPlayer* player_ = nullptr;
    std::unique_ptr<VideoPanel> panel_;
};

} // namespace

std::unique_ptr<IVideoPlayer> CreateVideoPlayer(HWND parent, const VideoPlayerSetup& setup)
{
    auto window = std::make_unique<VideoPlayerDialog>(parent);
    VideoPlayerDialog& dialog = *window;
    auto player = std::make_unique<VideoPlayer>(std::move(window), SystemMci(), setup);
    if (!dialog.Create(*player))
        return nullptr;
    return player;
}

VideoKey PreTranslateVideoKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN)
        return VideoKey::NotOverVideo;
    for (HWND h = msg.hwnd; h; h = GetParent(h)) {
        if (!GetPropA(h, kProperty))
            continue;
        PostMessageA(GetParent(h), WM_KEYDOWN, msg.wParam, msg.lParam);
        return msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE ? VideoKey::Swallowed : VideoKey::PassedOn;
    }
    return VideoKey::NotOverVideo;
}

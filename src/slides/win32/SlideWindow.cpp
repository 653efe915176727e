#include "slides/win32/SlideWindow.h"

#include <windows.h>

#include "gfx/Region.h"
#include "gfx/win32/PictureDC.h"
#include "platform/Clock.h"
#include "transitions/ShowMessages.h"

namespace {

const char kClassName[] = "QuillmarkSlideWindow";

class SlideWindow final : public ISlideWindowHost {
public:
    explicit SlideWindow(HWND parent) : parent_(parent)
    {
        Register();
        RECT r{};
        GetClientRect(parent_, &r);
        hwnd_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, r.right - r.left, r.bottom - r.top,
                                parent_, nullptr, GetModuleHandleA(nullptr), this);
    }
    ~SlideWindow() override
    {
        if (hwnd_) {
            SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
    }

    void AttachPlayer(SlidePlayer* player) override { player_ = player; }

    // ITransitionWindow, from the worker thread.
    void Present(const Picture& canvas, int x, int y, int width, int height) override
    {
        if (!hwnd_)
            return;
        HDC dc = GetDC(hwnd_);
        PaintPicture(dc, x, y, width, height, canvas, x, y);
        ReleaseDC(hwnd_, dc);
    }
    // Only the region's pixels, through a clip: one copy however many pieces it has.
    void PresentRegion(const Picture& canvas, const Region& region) override
    {
        if (!hwnd_)
            return;
        HDC dc = GetDC(hwnd_);
        PaintThrough(dc, canvas, region);
        ReleaseDC(hwnd_, dc);
    }
    // One window update for everything a present carries: the window's DC once, every piece through it.
    void PresentChanges(const Picture& canvas, const std::vector<Rect>& rects,
                        const std::vector<Region>& regions) override
    {
        if (!hwnd_)
            return;
        HDC dc = GetDC(hwnd_);
        for (const Rect& r : rects)
            PaintPicture(dc, r.left, r.top, r.Width(), r.Height(), canvas, r.left, r.top);
        for (const Region& region : regions)
            PaintThrough(dc, canvas, region);
        ReleaseDC(hwnd_, dc);
    }
    void Post(uint32_t message, uint32_t wParam) override { PostMessageA(hwnd_, message, wParam, 0); }

    Size ParentSize() override
    {
        RECT r{};
        GetClientRect(parent_, &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    Size WindowSize() override
    {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    void ShowWindow(bool show) override { ::ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }
    void PostToParent(uint32_t message) override { PostMessageA(parent_, message, 0, 0); }
    int LogPixelsY() override
    {
        HDC dc = GetDC(nullptr);
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return dpi;
    }
    IClock& WindowClock() override { return SystemClock(); }

    HWND Handle() const { return hwnd_; }

private:
    static void PaintThrough(HDC dc, const Picture& canvas, const Region& region)
    {
        const Rect b = region.Bounds();
        HRGN clip = CreateGdiRegion(region);
        SelectClipRgn(dc, clip);
        PaintPicture(dc, b.left, b.top, b.Width(), b.Height(), canvas, b.left, b.top);
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
    }
    static void Register()
    {
        static bool registered = false;
        if (registered)
            return;
        WNDCLASSA wc{};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        registered = RegisterClassA(&wc) != 0;
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<SlideWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self)
            return self->Handle(hwnd, message, wParam, lParam);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (player_) {
                const Picture& canvas = player_->Canvas();
                PaintPicture(dc, 0, 0, canvas.Width(), canvas.Height(), canvas, 0, 0);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SETCURSOR: ShowCursor(player_ && player_->HidesCursor() ? FALSE : TRUE); break;
        case WM_ACTIVATE:
        case WM_ACTIVATEAPP:
        case WM_NCACTIVATE:
        case WM_CHAR:
        case WM_KEYDOWN: PostMessageA(parent_, message, wParam, lParam); break;
        case WM_HELP: PostMessageA(parent_, message, wParam, lParam); return 0;
        case WM_DESTROY:
            if (player_)
                player_->OnDestroy();
            break;
        default:
            if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) {
                PostMessageA(parent_, message, wParam, lParam);
                break;
            }
            if (message == ShowMsg::kTransitionDone) {
                if (player_)
                    player_->OnTransitionDone(uint32_t(wParam));
                return 0;
            }
            break;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND parent_;
    HWND hwnd_ = nullptr;
    SlidePlayer* player_ = nullptr;
};

} // namespace

std::unique_ptr<ISlideWindowHost> CreateSlideWindow(void* parentWindow)
{
    auto window = std::make_unique<SlideWindow>(static_cast<HWND>(parentWindow));
    if (!window->Handle())
        return nullptr;
    return window;
}

#include "saver/win32/SaverWindow.h"

#include "media/win32/SoundPlayerWindow.h"
#include "media/win32/VideoPlayerDialog.h"
#include "model/ProjectInfo.h"
#include "model/UserSettings.h"
#include "platform/Clock.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "saver/MonitorRect.h"
#include "saver/SaverIds.h"
#include "saver/SaverMessages.h"
#include "slides/win32/SlideWindow.h"

namespace {
// The window's own timer, beside the show's (1 to 3).
constexpr UINT_PTR kPreviewFollowTimer = 100;
constexpr UINT kPreviewFollowMs = 250;
// Posted to itself at the end of the dialog's initialisation: it arrives once the window is on screen, ahead
// of any input that came meanwhile.
constexpr UINT kShownMessage = WM_APP + 1;

HWND Taskbar()
{
    return FindWindowA("Shell_TrayWnd", nullptr);
}

bool RunsOnWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
} // namespace

SaverWindow::SaverWindow(const ScreensaverWindowArgs& args)
    : args_(args), mediaList_(mediaSetting_, media_), sounds_(SystemClock())
{
    SequencerOptions options;
    options.mode = args.mode;
    options.settings = args.settings;
    options.project = args.project;
    if (args.project)
        ApplyProjectOptions(options, *args.project);
    SequencerParts parts;
    parts.media = &mediaList_;
    parts.sounds = &sounds_;
    session_ = std::make_unique<SaverSession>(*this, *args.settings, std::move(options), std::move(parts));
}

SaverWindow::~SaverWindow()
{
    if (hwnd_)
        DestroyWindowNow();
}

int SaverWindow::DoModal()
{
    LogHere(DiagnosticLog::Instance());
    HINSTANCE instance = GetModuleHandleA(nullptr);
    hwnd_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SCREENSAVER), nullptr, DialogProc,
                               reinterpret_cast<LPARAM>(this));
    if (!hwnd_)
        return -1;
    MSG msg;
    while (!ended_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break; // the quit message of the time limitation ends the run
        // Keys go to the close logic before dialog processing; a consumed key goes no further. A video
        // player passes its keys on to this window (they come back posted) and keeps Enter and Escape.
        const VideoKey video = PreTranslateVideoKey(msg);
        if (video == VideoKey::Swallowed)
            continue;
        if (video == VideoKey::NotOverVideo && msg.message == WM_KEYDOWN && hwnd_ &&
            (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd)) && session_->OnKeyDown(uint32_t(msg.wParam)))
            continue;
        if (!hwnd_ || !IsDialogMessageA(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (hwnd_)
        DestroyWindowNow();
    return result_;
}

INT_PTR CALLBACK SaverWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    SaverWindow* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<SaverWindow*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR SaverWindow::Answer(LRESULT result)
{
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR SaverWindow::Handle(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
    case WM_ERASEBKGND: return Answer(1);
    case WM_PAINT:
        if (IsIconic(hwnd_)) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            RECT r;
            GetClientRect(hwnd_, &r);
            DrawIcon(dc, (r.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                     (r.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
            EndPaint(hwnd_, &ps);
            return TRUE;
        }
        return FALSE;
    case WM_QUERYDRAGICON: return INT_PTR(icon_);
    case kShownMessage: session_->OnShown(); return TRUE;
    case WM_SETCURSOR: cursor_.Apply(session_->CursorVisible()); return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE)
            return Answer(0);
        return FALSE;
    case WM_TIMER: OnTimer(wParam); return FALSE;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
    case WM_DESTROY: OnDestroy(); return FALSE;
    case WM_CLOSE: {
        if (session_->OnMessage(SaverMsg::kClose, 0))
            return Answer(0);
        result_ = IDCANCEL;
        DestroyWindowNow();
        return TRUE;
    }
    default: break;
    }
    if (message == WM_CHAR || message == WM_HELP ||
        (message >= ShowMsg::kItemFinished && message <= ShowMsg::kBoundSoundEnded) ||
        (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP)) {
        bool showMenu = false;
        const bool answered = session_->OnMessage(message, uint32_t(wParam), &showMenu);
        if (showMenu)
            ShowProgramMenu();
        if (answered)
            return Answer(0);
    }
    return FALSE;
}

void SaverWindow::Place()
{
    if (args_.mode == StartMode::Preview && RunsOnWine()) {
        // Wine shows nothing that one process draws into another process's window, so a child in the
        // preview area would stay the area's own flat colour: the show keeps a window of its own, owned by
        // the area's top-level window, over the area's client rectangle.
        HWND parent = reinterpret_cast<HWND>(uintptr_t(args_.parentWindow));
        previewOverlay_ = true;
        SetWindowLongA(hwnd_, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
        SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(GetAncestor(parent, GA_ROOT)));
        FollowPreviewArea();
        ::SetTimer(hwnd_, kPreviewFollowTimer, kPreviewFollowMs, nullptr);
    } else if (args_.mode == StartMode::Preview) {
        HWND parent = reinterpret_cast<HWND>(uintptr_t(args_.parentWindow));
        RECT r{};
        GetClientRect(parent, &r);
        // A real child, so that it goes when the preview area goes.
        SetWindowLongA(hwnd_, GWL_STYLE, (GetWindowLongA(hwnd_, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
        SetParent(hwnd_, parent);
        MoveWindow(hwnd_, 0, 0, r.right - r.left, r.bottom - r.top, FALSE);
    } else if (args_.mode == StartMode::Saver || args_.mode == StartMode::Program) {
        LogShowOnScreen(DiagnosticLog::Instance(), args_.settings->monitor);
        const MonitorArea area = GetMonitorRect(args_.settings->monitor);
        SetWindowLongA(hwnd_, GWL_EXSTYLE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        SetWindowPos(hwnd_, HWND_TOPMOST, area.left, area.top, area.width, area.height, 0);
        LogTopMost(DiagnosticLog::Instance());
        MoveWindow(hwnd_, area.left, area.top, area.width, area.height, FALSE);
    }
    RECT w{};
    GetWindowRect(hwnd_, &w);
    width_ = w.right - w.left;
    height_ = w.bottom - w.top;
}

BOOL SaverWindow::OnInitDialog()
{
    // What the window's creation records: the start time and where the cursor starts.
    args_.settings->windowHandle = hwnd_;
    session_->OnCreate();

    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previousRunning_, 0);
    icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SCREENSAVER));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, LPARAM(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, LPARAM(icon_));
    Place();

    media_.SetDatabase(args_.database);
    media_.Open();
    mediaSetting_.SetUserSettings(args_.settings);
    mediaSetting_.SetDatabase(args_.database);
    mediaSetting_.Open();
    mediaSetting_.LoadCurrent();
    sounds_.SetDatabase(args_.database);
    sounds_.SetMessageHandler([this](const std::string& text) { ShowMessage(text); });
    sounds_.Load();
    session_->Sequencer().AttachSoundPlayers(CreateSoundPlayer(hwnd_, ShowMsg::kMusicEnded),
                                             CreateSoundPlayer(hwnd_, ShowMsg::kBoundSoundEnded));

    session_->OnInit();
    PostMessageA(hwnd_, kShownMessage, 0, 0);
    return TRUE;
}

bool SaverWindow::FollowPreviewArea()
{
    HWND parent = reinterpret_cast<HWND>(uintptr_t(args_.parentWindow));
    if (!IsWindow(parent))
        return false;
    RECT r{};
    GetClientRect(parent, &r);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    const bool shown = IsWindowVisible(parent) && !IsIconic(GetAncestor(parent, GA_ROOT));
    // Shown here, without activation, before the dialog would show (and activate) it itself.
    SetWindowPos(hwnd_, HWND_TOP, origin.x, origin.y, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return true;
}

void SaverWindow::OnTimer(UINT_PTR id)
{
    if (previewOverlay_ && id == kPreviewFollowTimer) {
        if (!FollowPreviewArea())
            DestroyWindowNow(); // the preview area went: so does the show, as a child would
        return;
    }
    session_->OnTimer(uint32_t(id));
}

void SaverWindow::OnCommand(UINT id)
{
    switch (id) {
    case ID_PROGRAM_SETTING:
        // Only the z-order changes: the window stays on the monitor its placement chose.
        SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (args_.runSettingsDialog)
            args_.runSettingsDialog();
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        LogTopMost(DiagnosticLog::Instance());
        break;
    case ID_PROGRAM_EXIT:
        result_ = 0;
        DestroyWindowNow();
        break;
    case IDOK:
    case IDCANCEL:
    case IDC_SAVER_OK:
    case IDC_SAVER_CANCEL:
        // Enter and Escape reach the dialog only where the close logic lets them (outside Saver).
        result_ = (id == IDOK || id == IDC_SAVER_OK) ? IDOK : IDCANCEL;
        DestroyWindowNow();
        break;
    default: break;
    }
}

void SaverWindow::ShowProgramMenu()
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SAVER_MENU));
    if (!menu)
        return;
    POINT p;
    ::GetCursorPos(&p);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
}

void SaverWindow::DestroyWindowNow()
{
    if (!hwnd_)
        return;
    session_->BeforeDestroy();
    DestroyWindow(hwnd_);
}

void SaverWindow::OnDestroy()
{
    session_->OnDestroy();
    UINT receiver = previousRunning_;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &receiver, 0);
    args_.settings->windowHandle = nullptr;
    hwnd_ = nullptr;
    ended_ = true;
    // Wake the modal loop so that it sees the end.
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

void SaverWindow::SetTimer(uint32_t id, uint32_t ms)
{
    ::SetTimer(hwnd_, id, ms, nullptr);
}

void SaverWindow::KillTimer(uint32_t id)
{
    ::KillTimer(hwnd_, id);
}

void SaverWindow::ShowMessage(const std::string& text)
{
    MessageBoxA(hwnd_, text.c_str(), nullptr, MB_OK);
}

void SaverWindow::MakeTopmost()
{
    // A video item brings the window to the top where it is: moving it to (0, 0) would take the show off
    // its monitor onto the primary one.
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

std::unique_ptr<IVideoPlayer> SaverWindow::CreateVideoPlayer()
{
    VideoPlayerSetup setup;
    setup.startMode = args_.mode;
    setup.settings = args_.settings;
    setup.project = args_.project;
    setup.database = args_.database;
    setup.showCursor = [this](bool visible) { cursor_.Apply(visible); };
    return ::CreateVideoPlayer(hwnd_, setup);
}

std::unique_ptr<ISlidePlayer> SaverWindow::CreateSlidePlayer()
{
    return SlidePlayer::Create(CreateSlideWindow(hwnd_), args_.database);
}

void SaverWindow::GetCursorPos(int32_t& x, int32_t& y)
{
    POINT p{};
    ::GetCursorPos(&p);
    x = p.x;
    y = p.y;
}

void SaverWindow::SetCursorPos(int32_t x, int32_t y)
{
    ::SetCursorPos(x, y);
}

void SaverWindow::RefreshCursor()
{
    SendMessageA(hwnd_, WM_SETCURSOR, WPARAM(hwnd_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

bool SaverWindow::VerifyPassword()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        return true;
    HMODULE library = LoadLibraryA("PASSWORD.CPL");
    if (!library)
        return true;
    using VerifyFn = BOOL(WINAPI*)(HWND);
    auto verify = reinterpret_cast<VerifyFn>(reinterpret_cast<void*>(GetProcAddress(library, "VerifyScreenSavePwd")));
    const bool ok = verify ? verify(hwnd_) != FALSE : true;
    FreeLibrary(library);
    return ok;
}

void SaverWindow::ShowTaskbar(bool show)
{
    // The taskbar is another program's window: asked without waiting, so that a busy shell never holds up
    // the show.
    if (HWND bar = Taskbar())
        ShowWindowAsync(bar, show ? SW_RESTORE : SW_HIDE);
}

void SaverWindow::PostClose()
{
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

int RunScreensaverWindow(const ScreensaverWindowArgs& args)
{
    if (!args.settings)
        return -1;
    SaverWindow dialog(args);
    return dialog.DoModal();
}

#pragma once
#include "media/SoundTable.h"
#include "model/MediaPlaylist.h"
#include "model/MediaTable.h"
#include "saver/CursorDisplay.h"
#include "saver/ProjectMediaList.h"
#include "saver/SaverFiles.h"
#include "saver/SaverSession.h"
#include "saver/win32/ScreensaverWindow.h"

#include <windows.h>

#include <memory>

// The window in which the show runs: placement, taskbar, time limitation and the Windows side of input;
// every decision about closing and sequencing is the session's.
class SaverWindow final : public ISaverWindowHost {
public:
    explicit SaverWindow(const ScreensaverWindowArgs& args);
    ~SaverWindow() override;

    int DoModal();

    // ISaverWindowHost
    WindowRef Window() override { return hwnd_; }
    void SetTimer(uint32_t id, uint32_t ms) override;
    void KillTimer(uint32_t id) override;
    void ShowMessage(const std::string& text) override;
    void MakeTopmost() override;
    std::unique_ptr<IVideoPlayer> CreateVideoPlayer() override;
    std::unique_ptr<ISlidePlayer> CreateSlidePlayer() override;
    ISaverFiles& Files() override { return files_; }
    uint32_t TickCount() override { return GetTickCount(); }
    void GetCursorPos(int32_t& x, int32_t& y) override;
    void SetCursorPos(int32_t x, int32_t y) override;
    void PostClose() override;
    void RefreshCursor() override;
    bool VerifyPassword() override;
    void Destroy() override { DestroyWindowNow(); }
    void ShowTaskbar(bool show) override;
    void PostQuit(int code) override { PostQuitMessage(code); }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog();
    void Place();
    // Under Wine: keeps the show's own window over the preview area, and ends it with the area.
    // False when the area is gone.
    bool FollowPreviewArea();
    void OnTimer(UINT_PTR id);
    void OnCommand(UINT id);
    void OnDestroy();
    void DestroyWindowNow();
    void ShowProgramMenu();
    INT_PTR Answer(LRESULT result);

    ScreensaverWindowArgs args_;
    HWND hwnd_ = nullptr;
    UINT previousRunning_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    HICON icon_ = nullptr;
    bool ended_ = false;
    bool previewOverlay_ = false;
    int result_ = 0;

    MediaPlaylist mediaSetting_;
    MediaTable media_;
    ProjectMediaList mediaList_;
    SaverFiles files_;
    SoundTable sounds_;
    std::unique_ptr<SaverSession> session_;
    CursorDisplay cursor_{[](bool show) { return ShowCursor(show ? TRUE : FALSE); }};
};

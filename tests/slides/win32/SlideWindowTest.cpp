#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "model/MediaSettingsRecord.h"
#include "slides/SlidePlayer.h"
#include "slides/win32/SlideWindow.h"
#include "support/SequenceRandom.h"
#include "support/SlideTestProject.h"
#include "transitions/ShowMessages.h"

namespace {

std::vector<UINT> g_parentMessages;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER || message == WM_MOUSEMOVE || message == WM_KEYDOWN)
        g_parentMessages.push_back(message);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeParent(int w, int h)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SlideWindowTestParent";
        registered = RegisterClassA(&wc) != 0;
    }
    RECT r{0, 0, w, h};
    AdjustWindowRect(&r, WS_POPUP, FALSE);
    HWND hwnd = CreateWindowExA(0, "SlideWindowTestParent", "", WS_POPUP, 0, 0, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

// Pumps messages until the parent has seen `message` or the time is up.
bool PumpUntil(UINT message, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        for (UINT m : g_parentMessages)
            if (m == message)
                return true;
        Sleep(5);
    }
    return false;
}

TEST(SlideWindow, ShowsTheSlideAndTellsTheParentWhenItIsFullyShown)
{
    g_parentMessages.clear();
    HWND parent = MakeParent(64, 48);
    ASSERT_NE(parent, nullptr);

    SlideTestProject project;
    project.items.emplace_back();
    project.items[0].fileName = "pic.bmp";
    project.items[0].SetI32(MediaSettingsRecord::kBackgroundColour, 0x00808080);
    project.SetProjectI32(ProjectOptions::kMediaInDatabase, 1);
    project.media.push_back({"pic.bmp", SolidBmp(8, 4, 0xFF0000)});
    SequenceRandom random({0});
    ASSERT_TRUE(project.Open(random));

    std::unique_ptr<SlidePlayer> player = SlidePlayer::Create(CreateSlideWindow(parent), &project.db);
    ASSERT_NE(player, nullptr);
    player->SetMode(StartMode::Saver);
    player->SetSettings(nullptr, &project.info);
    player->SetMedia(&project.Media());
    player->ShowSlide(project.settings.get());

    ASSERT_TRUE(PumpUntil(ShowMsg::kItemFinished, 5000));
    EXPECT_TRUE(player->Finished());
    const Picture& canvas = player->Canvas();
    EXPECT_EQ(canvas.Width(), 64);
    EXPECT_EQ(canvas.Height(), 48);
    EXPECT_EQ(canvas.GetPixel(28, 22), 0x0000FFu); // the red image, centred
    EXPECT_EQ(canvas.GetPixel(0, 0), 0x808080u);

    // Input over the slide window reaches the parent.
    g_parentMessages.clear();
    player->Host().ShowWindow(true);
    HWND child = GetWindow(parent, GW_CHILD);
    ASSERT_NE(child, nullptr);
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(PumpUntil(WM_MOUSEMOVE, 2000));

    player->StopTransition();
    player.reset();
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    DestroyWindow(parent);
}

} // namespace

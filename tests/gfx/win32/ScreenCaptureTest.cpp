#include <windows.h>

#include <gtest/gtest.h>

#include "gfx/Picture.h"
#include "gfx/win32/ScreenCapture.h"

namespace {

LRESULT CALLBACK RedWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, red);
        DeleteObject(red);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void Pump(int milliseconds)
{
    DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

} // namespace

TEST(ScreenCapture, CopiesTheScreenAreaIntoThePicture)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RedWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QmCaptureTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "QmCaptureTest", "", WS_POPUP | WS_VISIBLE, 40, 30, 100, 80, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    Pump(300);

    Picture picture;
    ASSERT_TRUE(CaptureScreenArea(picture, 50, 40, 60, 50));
    EXPECT_EQ(picture.Width(), 60);
    EXPECT_EQ(picture.Height(), 50);
    // The area starts inside the window: red up to its right edge (x 140 on screen, 90 in the picture).
    EXPECT_EQ(picture.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(picture.GetPixel(59, 49), RGB(255, 0, 0));
    DestroyWindow(window);

    // An empty area changes nothing.
    EXPECT_FALSE(CaptureScreenArea(picture, 0, 0, 0, 10));
    EXPECT_EQ(picture.Width(), 60);
}

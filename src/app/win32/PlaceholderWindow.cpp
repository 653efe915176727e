#include "app/win32/PlaceholderWindow.h"

#include <windows.h>

namespace {
const char kClass[] = "QuillmarkPlaceholder";
const UINT_PTR kTimeLimit = 1;

LRESULT CALLBACK PlaceholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            DestroyWindow(window);
        return 0;
    case WM_TIMER:
        if (wParam == kTimeLimit)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY: KillTimer(window, kTimeLimit); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
} // namespace

void RunPlaceholderWindow(const std::string& title, unsigned seconds)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlaceholderProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass); // fails harmlessly when already registered

    HWND window = CreateWindowExA(0, kClass, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return;
    SetTimer(window, kTimeLimit, seconds * 1000, nullptr);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

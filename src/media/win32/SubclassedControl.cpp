#include "media/win32/SubclassedControl.h"

SubclassedControl::~SubclassedControl()
{
    if (!hwnd_)
        return;
    // The handler is gone with the derived object: what the destruction sends goes to the control alone.
    destroying_ = true;
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

HWND SubclassedControl::CreateControl(const char* className, const char* text, DWORD style, int x, int y, int width,
                                      int height, HWND parent, int id)
{
    hwnd_ = CreateWindowExA(0, className, text, style, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_)
        return nullptr;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    return hwnd_;
}

LRESULT SubclassedControl::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<SubclassedControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Also when destroyed with its parent: the object lives on without a window.
        const LRESULT result = CallWindowProcA(self->original_, hwnd, message, wParam, lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    if (self->destroying_)
        return CallWindowProcA(self->original_, hwnd, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

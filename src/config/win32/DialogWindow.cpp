#include "config/win32/DialogWindow.h"

#include <vector>

HINSTANCE ResourceModule()
{
    return GetModuleHandleA(nullptr);
}

DialogWindow::~DialogWindow()
{
    Destroy();
}

INT_PTR DialogWindow::DoModal(HWND owner)
{
    return DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

bool DialogWindow::Create(HWND parent)
{
    return CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent, Procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void DialogWindow::Destroy()
{
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

bool DialogWindow::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&)
{
    return false;
}

std::string DialogWindow::ItemText(int id) const
{
    HWND item = Item(id);
    const int length = item ? GetWindowTextLengthA(item) : 0;
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    if (item)
        GetWindowTextA(item, text.data(), length + 1);
    return text.data();
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogWindow* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->OnInitDialog();
    }
    self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    INT_PTR result = FALSE;
    const bool handled = self->OnMessage(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return handled ? result : FALSE;
}

void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    const auto fill = [dc](int x, int y, int w, int h, COLORREF colour) {
        SetBkColor(dc, colour);
        RECT line{x, y, x + w, y + h};
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    };
    const COLORREF background = GetBkColor(dc);
    const int w = r.right - r.left, h = r.bottom - r.top;
    fill(r.left, r.top, w - 1, 1, topLeft);
    fill(r.left, r.top, 1, h - 1, topLeft);
    fill(r.right - 1, r.top, 1, h, bottomRight);
    fill(r.left, r.bottom - 1, w, 1, bottomRight);
    SetBkColor(dc, background);
}

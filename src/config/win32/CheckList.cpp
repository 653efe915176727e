#include "config/win32/CheckList.h"

#include "config/win32/DialogWindow.h"

#include <algorithm>

namespace {

// The inner window fills the outer one inside its 2-pixel frame.
RECT InsideFrame(HWND outer)
{
    RECT r;
    GetClientRect(outer, &r);
    InflateRect(&r, -2, -2);
    r.right = std::max(r.left, r.right);
    r.bottom = std::max(r.top, r.bottom);
    return r;
}

bool SameSize(const SIZE& a, const SIZE& b)
{
    return a.cx == b.cx && a.cy == b.cy;
}

SIZE SizeOf(HBITMAP bitmap)
{
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

} // namespace

CheckList::~CheckList()
{
    Destroy();
}

void CheckList::Release()
{
    for (HBITMAP* bitmap : {&checked_, &unchecked_, &partly_}) {
        if (*bitmap)
            DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
    if (ownsFont_ && font_)
        DeleteObject(font_);
    font_ = nullptr;
    ownsFont_ = false;
    if (pen_)
        DeleteObject(pen_);
    if (brush_)
        DeleteObject(brush_);
    pen_ = nullptr;
    brush_ = nullptr;
}

void CheckList::Destroy()
{
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    Release();
}

bool CheckList::Create(const RECT& rect, HWND parent, int id, int checkedBitmap, int uncheckedBitmap, int partlyBitmap,
                       COLORREF background, HFONT font)
{
    Destroy();
    const struct {
        HBITMAP* bitmap;
        int resource;
        const char* failure;
    } loads[] = {{&checked_, checkedBitmap, "Unable to load CHECK bitmap."},
                 {&unchecked_, uncheckedBitmap, "Unable to load UNCHECK bitmap."},
                 {&partly_, partlyBitmap, "Unable to load MIDDLE Check bitmap."}};
    for (const auto& load : loads) {
        *load.bitmap = LoadBitmapA(ResourceModule(), MAKEINTRESOURCEA(load.resource));
        if (!*load.bitmap) {
            MessageBoxA(parent, load.failure, nullptr, MB_OK | MB_ICONERROR);
            Release();
            return false;
        }
    }
    bitmapSize_ = SizeOf(checked_);
    if (!SameSize(bitmapSize_, SizeOf(unchecked_)) || !SameSize(bitmapSize_, SizeOf(partly_))) {
        MessageBoxA(parent, "Images must be the same size!", nullptr, MB_OK | MB_ICONERROR);
        Release();
        return false;
    }

    font_ = font;
    if (!font_) {
        font_ = CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "TAHOMA");
        ownsFont_ = true;
    }
    background_ = background;
    pen_ = CreatePen(PS_SOLID, 1, background);
    brush_ = CreateSolidBrush(background);

    // Rows are as high as a check box with room around it, or as the text when that is higher.
    int itemHeight = bitmapSize_.cy + 6;
    if (HDC dc = GetDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, font_);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        itemHeight = std::max<int>(itemHeight, metrics.tmHeight + metrics.tmDescent);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    model_.SetMetrics(bitmapSize_.cx + 6, itemHeight);

    if (!MakeWindow(this, "CLISTBOX", rect, parent, id) || !control_.Create(InsideFrame(hwnd_), hwnd_, id + 1)) {
        Destroy();
        return false;
    }
    return true;
}

CheckListItem* CheckList::AddItem(const std::string& text, CheckListItem* parent, int state, int data,
                                  COLORREF textColour, COLORREF selectedTextColour, COLORREF selectedBackground)
{
    if (state < 0 || state > 2)
        return nullptr;
    SIZE extent{0, 0};
    if (HDC dc = GetDC(hwnd_)) {
        HGDIOBJ old = SelectObject(dc, font_);
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
    }
    CheckListItem* item = model_.AddItem(text, parent, state, data, extent.cx,
                                         CheckListColours{textColour, selectedTextColour, selectedBackground});
    control_.UpdateScrollBars();
    return item;
}

int CheckList::SetCheck(int index, int state)
{
    if (model_.SetCheck(index, state) != 0)
        return -1;
    for (const CheckListItem* item = model_.ItemAt(index); item; item = item->parent)
        control_.RedrawItem(item);
    return 0;
}

LRESULT CheckList::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush_);
        return 1;
    }
    case WM_PAINT: {
        // A 2-pixel sunken frame.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        Draw3dRect(dc, r, RGB(128, 128, 128), RGB(255, 255, 255));
        InflateRect(&r, -1, -1);
        Draw3dRect(dc, r, RGB(0, 0, 0), RGB(192, 192, 192));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SIZE:
        if (control_.Handle()) {
            const RECT inner = InsideFrame(hwnd);
            MoveWindow(control_.Handle(), inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
                       TRUE);
        }
        return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

#include "config/win32/LinkLabel.h"

#include "config/LinkTarget.h"
#include "config/win32/DialogWindow.h"

#include <shellapi.h>

#include <cstring>

namespace {
const char kObjectProperty[] = "QuillmarkHotLinkLabel";
}

void OpenLink(HWND owner, const std::string& target, int show)
{
    if (const auto safe = SafeLinkTarget(target))
        ShellExecuteA(owner, "open", safe->c_str(), nullptr, nullptr, show);
}

LinkLabel::~LinkLabel()
{
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticProcedure_));
        RemovePropA(hwnd_, kObjectProperty);
    }
}

void LinkLabel::SetBitmapFlag(bool on, int hoverBitmap, int normalBitmap)
{
    bitmapFlag_ = on;
    hoverBitmap_ = hoverBitmap;
    normalBitmap_ = normalBitmap;
}

bool LinkLabel::Create(const std::string& text, DWORD style, const RECT& rect, HWND parent, int id)
{
    text_ = text;
    hwnd_ = CreateWindowExA(0, "STATIC", "", style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ResourceModule(), nullptr);
    if (!hwnd_)
        return false;
    SetPropA(hwnd_, kObjectProperty, this);
    staticProcedure_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));

    // 12 points on the control's device.
    HDC dc = GetDC(hwnd_);
    font_ = LOGFONTA{};
    font_.lfHeight = -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font_.lfWeight = FW_NORMAL;
    font_.lfCharSet = DEFAULT_CHARSET;
    font_.lfQuality = PROOF_QUALITY;
    font_.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::strcpy(font_.lfFaceName, "MS Sans Serif");
    ReleaseDC(hwnd_, dc);
    return true;
}

void LinkLabel::Click()
{
    if ((kind_ == kWeb || kind_ == kMail) && !target_.empty())
        OpenLink(nullptr, target_, SW_SHOWNORMAL);
    else if (kind_ == kCommand && commandMessage_ != -1)
        PostMessageA(GetParent(hwnd_), static_cast<UINT>(commandMessage_), 0, 0);
}

void LinkLabel::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    // The page's own background first, so a colour change leaves no trace of the text before it.
    auto background = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(hwnd_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
    FillRect(dc, &client, background ? background : GetSysColorBrush(COLOR_BTNFACE));

    LOGFONTA logical = font_;
    logical.lfUnderline = kind_ != kPlain;
    HFONT font = CreateFontIndirectA(&logical);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour());
    SIZE text{0, 0};
    GetTextExtentPoint32A(dc, text_.c_str(), static_cast<int>(text_.size()), &text);

    RECT place;
    GetWindowRect(hwnd_, &place);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&place), 2);
    int textLeft = 0;
    int width = text.cx, height = text.cy;
    HBITMAP bitmap = nullptr;
    if (kind_ != kPlain && bitmapFlag_)
        bitmap = LoadBitmapA(ResourceModule(), MAKEINTRESOURCEA(hovering_ ? hoverBitmap_ : normalBitmap_));
    if (bitmap) {
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(dc, 0, (client.bottom - info.bmHeight) / 2, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
        textLeft = info.bmWidth + 8;
        width = textLeft + text.cx;
    }
    if (autoSize_ && (width != client.right || height != client.bottom))
        SetWindowPos(hwnd_, nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT area{textLeft, 0, textLeft + text.cx, autoSize_ ? height : client.bottom};
    DrawTextA(dc, text_.c_str(), -1, &area, DT_NOPREFIX);

    SelectObject(dc, oldFont);
    DeleteObject(font);
    EndPaint(hwnd_, &ps);
}

LRESULT LinkLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_MOUSEMOVE:
        if (!hovering_) {
            hovering_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 100};
            TrackMouseEvent(&track);
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        hovering_ = false;
        if (kind_ != kPlain)
            InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case WM_SETCURSOR:
        if (kind_ != kPlain) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_LBUTTONUP: Click(); break;
    default: break;
    }
    return CallWindowProcA(staticProcedure_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK LinkLabel::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<LinkLabel*>(GetPropA(hwnd, kObjectProperty));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kObjectProperty);
        const WNDPROC original = self->staticProcedure_;
        self->hwnd_ = nullptr;
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

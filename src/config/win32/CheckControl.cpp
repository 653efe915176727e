#include "config/win32/CheckControl.h"

#include "config/win32/CheckList.h"
#include "config/win32/DialogWindow.h"

#include <algorithm>

namespace {

const char kClassName[] = "QuillmarkCheckList";

ScrollRequest RequestOf(WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case SB_LINEUP: return ScrollRequest::LineBack;
    case SB_LINEDOWN: return ScrollRequest::LineForward;
    case SB_PAGEUP: return ScrollRequest::PageBack;
    case SB_PAGEDOWN: return ScrollRequest::PageForward;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollRequest::Track;
    case SB_TOP: return ScrollRequest::First;
    case SB_BOTTOM: return ScrollRequest::Last;
    default: return ScrollRequest::None;
    }
}

} // namespace

HWND CheckWindow::MakeWindow(CheckWindow* owner, const char* name, const RECT& rect, HWND parent, int id)
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(ResourceModule(), kClassName, &wc)) {
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = Procedure;
        wc.hInstance = ResourceModule();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }
    return CreateWindowExA(0, kClassName, name, WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ResourceModule(), owner);
}

LRESULT CALLBACK CheckWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CheckWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    self->hwnd_ = hwnd;
    const LRESULT result = self->OnMessage(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

bool CheckControl::Create(const RECT& rect, HWND parent, int id)
{
    if (!MakeWindow(this, "Check Control", rect, parent, id))
        return false;
    UpdateScrollBars();
    return true;
}

void CheckControl::UpdateScrollBars()
{
    if (!hwnd_ || updatingBars_)
        return;
    // Showing or hiding a bar resizes the client area, which asks for this again.
    updatingBars_ = true;
    RECT client;
    GetClientRect(hwnd_, &client);
    const CheckListModel& model = list_.Model();
    const CheckListScroll s =
        ComputeCheckListScroll(model.GetCount(), model.MaxWidth(), model.ItemHeight(), client.right, client.bottom);
    rowsFit_ = s.rowsFit;
    verticalMax_ = s.verticalMax;
    horizontalMax_ = s.horizontalMax;
    ShowScrollBar(hwnd_, SB_HORZ, s.horizontal);
    SetScrollRange(hwnd_, SB_HORZ, 0, s.horizontalMax, FALSE);
    ShowScrollBar(hwnd_, SB_VERT, s.vertical);
    SetScrollRange(hwnd_, SB_VERT, 0, s.verticalMax, FALSE);
    firstRow_ = std::min(firstRow_, verticalMax_);
    scrollX_ = std::min(scrollX_, horizontalMax_);
    SetScrollPos(hwnd_, SB_VERT, firstRow_, TRUE);
    SetScrollPos(hwnd_, SB_HORZ, scrollX_, TRUE);
    updatingBars_ = false;
}

RECT CheckControl::RowRect(int visibleRow) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    const int top = list_.Model().RowTop(visibleRow);
    return RECT{0, top, client.right, top + list_.Model().ItemHeight()};
}

void CheckControl::RedrawItem(const CheckListItem* item)
{
    const int row = list_.Model().RowOf(item);
    if (!hwnd_ || row < firstRow_ || row > firstRow_ + rowsFit_)
        return;
    const RECT r = RowRect(row - firstRow_);
    InvalidateRect(hwnd_, &r, FALSE);
}

void CheckControl::DrawItem(HDC dc, const CheckListItem& item, int visibleRow, const RECT& client)
{
    const CheckListModel& model = list_.Model();
    const int top = model.RowTop(visibleRow);
    const int height = model.ItemHeight();
    HGDIOBJ oldPen = SelectObject(dc, list_.BackgroundPen());
    HGDIOBJ oldBrush = SelectObject(dc, list_.BackgroundBrush());
    Rectangle(dc, -scrollX_, top, client.right, top + height);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);

    const SIZE bitmap = list_.BitmapSize();
    const int boxX = model.BoxLeft(item, scrollX_);
    const int boxY = top + (height > bitmap.cy + 6 ? (height - (bitmap.cy + 6)) / 2 : 0);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(memory, list_.Bitmap(item.state));
    BitBlt(dc, boxX, boxY, bitmap.cx, bitmap.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);

    const int textX = boxX + model.Indent();
    COLORREF colour = item.textColour;
    if (item.selected) {
        RECT measured{textX, top, client.right, top + height};
        DrawTextA(dc, item.text.c_str(), -1, &measured, DT_CALCRECT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        RECT selection{textX - 4, top, std::min<LONG>(client.right - 4, measured.right) + 5, top + height};
        DrawFocusRect(dc, &selection);
        InflateRect(&selection, -1, -1);
        SetBkColor(dc, item.selectedBackground);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &selection, nullptr, 0, nullptr);
        colour = item.selectedTextColour;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT text{textX, top, client.right, top + height};
    DrawTextA(dc, item.text.c_str(), -1, &text, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CheckControl::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, list_.BackgroundBrush());
    HGDIOBJ oldFont = SelectObject(dc, list_.Font());
    for (int visible = 0; visible <= rowsFit_; ++visible) {
        const CheckListItem* item = list_.Model().ItemAt(firstRow_ + visible);
        if (!item)
            break;
        DrawItem(dc, *item, visible, client);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd_, &ps);
}

void CheckControl::OnLButtonDown(int x, int y)
{
    CheckListModel& model = list_.Model();
    const CheckListModel::Hit hit = model.HitTest(x, y, firstRow_, scrollX_);
    // A click on the row cut off at the bottom brings it into view first.
    if (hit.row >= firstRow_ + rowsFit_)
        ScrollRows(firstRow_ + 1);
    CheckListItem* item = model.ItemAt(hit.row);
    if (!item)
        return;
    if (CheckListItem* before = model.Select(item))
        RedrawItem(before);
    if (hit.onBox) {
        model.Toggle(item);
        // The item, its descendants and its ancestors may all have changed.
        InvalidateRect(hwnd_, nullptr, FALSE);
    } else {
        RedrawItem(item);
    }
}

void CheckControl::ScrollRows(int firstRow)
{
    firstRow = std::clamp(firstRow, 0, verticalMax_);
    if (firstRow == firstRow_)
        return;
    const int delta = firstRow_ - firstRow;
    firstRow_ = firstRow;
    ScrollWindowEx(hwnd_, 0, delta * list_.Model().ItemHeight(), nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE);
    SetScrollPos(hwnd_, SB_VERT, firstRow_, TRUE);
}

void CheckControl::ScrollPixels(int scrollX)
{
    scrollX = std::clamp(scrollX, 0, horizontalMax_);
    if (scrollX == scrollX_)
        return;
    const int delta = scrollX_ - scrollX;
    scrollX_ = scrollX;
    ScrollWindowEx(hwnd_, delta, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    SetScrollPos(hwnd_, SB_HORZ, scrollX_, TRUE);
}

LRESULT CheckControl::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: return 1; // Paint fills the whole client area
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_SIZE: UpdateScrollBars(); return 0;
    case WM_VSCROLL:
        ScrollRows(ScrollPosition(firstRow_, RequestOf(wParam), 1, rowsFit_ - 1, verticalMax_, HIWORD(wParam)));
        return 0;
    case WM_HSCROLL: {
        RECT client;
        GetClientRect(hwnd_, &client);
        ScrollPixels(ScrollPosition(scrollX_, RequestOf(wParam), 10, client.right, horizontalMax_, HIWORD(wParam)));
        return 0;
    }
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

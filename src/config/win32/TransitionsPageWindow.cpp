#include "config/win32/TransitionsPageWindow.h"

#include "config/ConfigIds.h"
#include "model/UserSettings.h"
#include "transitions/EffectNames.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The list's place on the page, whose height it follows.
RECT ListRect(HWND page)
{
    RECT r;
    GetWindowRect(page, &r);
    const LONG height = r.bottom - r.top;
    return RECT{5, 27, 178, std::max<LONG>(27, height - 100)};
}

} // namespace

TransitionsPageWindow::TransitionsPageWindow() : ConfigPage(IDD_TAB_TRANSITIONS)
{
}

BOOL TransitionsPageWindow::OnInitDialog()
{
    PlaceList();
    list_.Create(ListRect(Handle()), Handle(), IDC_EFFECT_LIST, IDB_CHECKED, IDB_UNCHECKED, IDB_PARTLY_CHECKED,
                 GetSysColor(COLOR_WINDOW), nullptr);
    for (int i = 0; i < kEffectCount; ++i)
        list_.AddItem(EffectName(i), nullptr, 0, -1, GetSysColor(COLOR_INFOTEXT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                      GetSysColor(COLOR_HIGHLIGHT));
    if (settings_) {
        for (int row : ParseTransitionList(settings_->transitionList))
            list_.SetCheck(row, 1);
        values_ = LoadTransitionPage(*settings_);
    }
    SetChecked(IDC_RANDOM_TRANSITIONS, values_.randomTransitions);
    SendDlgItemMessageA(Handle(), IDC_SPEED, TBM_SETPOS, TRUE, values_.speed);
    SetChecked(IDC_USE_OWN_TRANSITIONS, values_.useOwnTransitions);
    return TRUE;
}

void TransitionsPageWindow::PlaceList()
{
    const RECT r = ListRect(Handle());
    if (list_.Handle())
        MoveWindow(list_.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    // The buttons stand beside the list whatever the dialog font makes of the template's units.
    int top = r.top;
    for (int id : {IDC_SELECT_ALL, IDC_CLEAR_ALL}) {
        RECT button;
        GetWindowRect(Item(id), &button);
        SetWindowPos(Item(id), nullptr, r.right + 8, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        top += button.bottom - button.top + 6;
    }
}

void TransitionsPageWindow::CheckAll(int state)
{
    for (int i = 0; i < list_.GetCount(); ++i) {
        list_.SetCheck(i, state);
        InvalidateRect(list_.Control().Handle(), nullptr, FALSE);
    }
}

void TransitionsPageWindow::Save()
{
    if (!Handle() || !settings_)
        return;
    values_.randomTransitions = Checked(IDC_RANDOM_TRANSITIONS);
    values_.speed = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_SPEED, TBM_GETPOS, 0, 0));
    values_.useOwnTransitions = Checked(IDC_USE_OWN_TRANSITIONS);
    StoreTransitionPage(values_, list_.Model().States(), *settings_);
}

bool TransitionsPageWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED || (LOWORD(wParam) != IDC_SELECT_ALL && LOWORD(wParam) != IDC_CLEAR_ALL))
            return false;
        CheckAll(LOWORD(wParam) == IDC_SELECT_ALL ? 1 : 0);
        break;
    case WM_SIZE: PlaceList(); break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT page;
        GetWindowRect(Handle(), &page);
        const RECT frame{5, 27, page.right - page.left - 4, page.bottom - page.top - 5};
        Draw3dRect(dc, frame, RGB(100, 100, 100), RGB(255, 255, 255));
        EndPaint(Handle(), &ps);
        break;
    }
    case WM_DESTROY: list_.Destroy(); return false;
    default: return false;
    }
    result = TRUE;
    return true;
}

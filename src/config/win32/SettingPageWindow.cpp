#include "config/win32/SettingPageWindow.h"

#include "config/MonitorList.h"
#include "model/UserSettings.h"
#include "saver/win32/MonitorEnumeration.h"

#include <commctrl.h>

namespace {

struct CheckBinding {
    int id;
    int SettingPageValues::*value;
};
const CheckBinding kChecks[] = {
    {IDC_ANY_EVENT, &SettingPageValues::anyEvent},
    {IDC_MOUSE_MOVE, &SettingPageValues::mouseMove},
    {IDC_MOUSE_LEFT_CLICK, &SettingPageValues::mouseLeftClick},
    {IDC_MOUSE_RIGHT_CLICK, &SettingPageValues::mouseRightClick},
    {IDC_MOUSE_DOUBLE_CLICK, &SettingPageValues::mouseDoubleClick},
    {IDC_ESC_KEY, &SettingPageValues::escKey},
    {IDC_ENTER_KEY, &SettingPageValues::enterKey},
    {IDC_SPECIFIED_KEY, &SettingPageValues::specifiedKey},
    {IDC_MUTE, &SettingPageValues::mute},
    {IDC_TIME_LIMIT, &SettingPageValues::timeLimit},
};

} // namespace

SettingPageWindow::SettingPageWindow() : ConfigPage(IDD_TAB_SETTING)
{
}

BOOL SettingPageWindow::OnInitDialog()
{
    HWND monitors = Item(IDC_MONITOR);
    for (const std::string& text : MonitorListTexts(EnumerateMonitors().Areas()))
        SendMessageA(monitors, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (settings_)
        values_ = LoadSettingPage(*settings_);
    SendMessageA(monitors, CB_SETCURSEL, static_cast<WPARAM>(values_.monitor), 0);

    SendDlgItemMessageA(Handle(), IDC_MOUSE_THRESHOLD, TBM_SETRANGE, FALSE, MAKELPARAM(kSliderMin, kSliderMax));
    SendDlgItemMessageA(Handle(), IDC_MINUTES_SPIN, UDM_SETRANGE, 0, MAKELPARAM(kMinutesMax, kMinutesMin));
    SendDlgItemMessageA(Handle(), IDC_MINUTES_SPIN, UDM_SETPOS, 0, MAKELPARAM(values_.spinPosition, 0));
    lastValidMinutes_ = values_.spinPosition;
    EnableCloseEvents();
    WriteControls();
    return TRUE;
}

void SettingPageWindow::WriteControls()
{
    for (const CheckBinding& check : kChecks)
        SetChecked(check.id, values_.*check.value);
    SetItemText(IDC_KEY_TEXT, values_.keyText);
    SendDlgItemMessageA(Handle(), IDC_MOUSE_THRESHOLD, TBM_SETPOS, TRUE, values_.sliderPosition);
}

void SettingPageWindow::ReadControls()
{
    for (const CheckBinding& check : kChecks)
        values_.*check.value = Checked(check.id);
    values_.keyText = ItemText(IDC_KEY_TEXT);
    values_.sliderPosition = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_MOUSE_THRESHOLD, TBM_GETPOS, 0, 0));
    const auto report = static_cast<uint32_t>(SendDlgItemMessageA(Handle(), IDC_MINUTES_SPIN, UDM_GETPOS, 0, 0));
    values_.spinPosition = MinutesFromSpin(report, lastValidMinutes_);
    values_.monitor = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_MONITOR, CB_GETCURSEL, 0, 0));
}

void SettingPageWindow::EnableCloseEvents()
{
    const BOOL enable = CloseEventControlsEnabled(values_.anyEvent) ? TRUE : FALSE;
    for (int id : kCloseEventControls)
        EnableWindow(Item(id), enable);
}

void SettingPageWindow::ApplySettings()
{
    if (!Handle() || !settings_)
        return;
    ReadControls();
    StoreSettingPage(values_, *settings_);
}

bool SettingPageWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result)
{
    if (message != WM_COMMAND)
        return false;
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == IDC_ANY_EVENT && code == BN_CLICKED) {
        ReadControls();
        EnableCloseEvents();
    } else if (id == IDC_MINUTES_TEXT && code == EN_CHANGE) {
        // Remembered while the box holds a number in range, for when it is left holding something else.
        const auto report = static_cast<uint32_t>(SendDlgItemMessageA(Handle(), IDC_MINUTES_SPIN, UDM_GETPOS, 0, 0));
        lastValidMinutes_ = MinutesFromSpin(report, lastValidMinutes_);
    } else {
        return false;
    }
    result = TRUE;
    return true;
}

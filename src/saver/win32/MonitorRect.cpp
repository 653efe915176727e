#include "saver/win32/MonitorEnumeration.h"

#include <windows.h>

namespace {
BOOL CALLBACK RecordMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data)
{
    reinterpret_cast<MonitorTable*>(data)->Add(rect->left, rect->top, rect->right, rect->bottom);
    return TRUE;
}
} // namespace

MonitorTable EnumerateMonitors()
{
    MonitorTable monitors;
    HDC screen = GetDC(nullptr);
    EnumDisplayMonitors(screen, nullptr, RecordMonitor, reinterpret_cast<LPARAM>(&monitors));
    ReleaseDC(nullptr, screen);
    return monitors;
}

MonitorArea GetMonitorRect(int32_t n)
{
    const MonitorTable monitors = n != 0 ? EnumerateMonitors() : MonitorTable();
    return ChooseMonitorArea(n, monitors, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

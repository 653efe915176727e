#include "saver/MonitorRect.h"

#include <windows.h>

namespace {
BOOL CALLBACK RecordMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data)
{
    reinterpret_cast<MonitorTable*>(data)->Add(rect->left, rect->top, rect->right, rect->bottom);
    return TRUE;
}
} // namespace

MonitorArea GetMonitorRect(int32_t n)
{
    MonitorTable monitors;
    if (n != 0) {
        HDC screen = GetDC(nullptr);
        EnumDisplayMonitors(screen, nullptr, RecordMonitor, reinterpret_cast<LPARAM>(&monitors));
        ReleaseDC(nullptr, screen);
    }
    return ChooseMonitorArea(n, monitors, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

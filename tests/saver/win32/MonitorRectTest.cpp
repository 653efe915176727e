#include "saver/MonitorRect.h"

#include <windows.h>
#include <gtest/gtest.h>

TEST(MonitorRectOnWindows, ZeroAndUnknownMonitorsCoverTheVirtualScreenFromTheOrigin)
{
    const MonitorArea whole{0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    EXPECT_EQ(GetMonitorRect(0), whole);
    EXPECT_EQ(GetMonitorRect(-3), whole);
    EXPECT_EQ(GetMonitorRect(GetSystemMetrics(SM_CMONITORS) + 1), whole);
}

namespace {
BOOL CALLBACK TakeFirst(HMONITOR, HDC, LPRECT r, LPARAM data)
{
    *reinterpret_cast<RECT*>(data) = *r;
    return FALSE;
}
} // namespace

TEST(MonitorRectOnWindows, FirstMonitorIsTheEnumeratedOne)
{
    RECT first{};
    EnumDisplayMonitors(nullptr, nullptr, TakeFirst, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(GetMonitorRect(1),
              (MonitorArea{first.left, first.top, first.right - first.left, first.bottom - first.top}));
}

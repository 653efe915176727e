#include "saver/MonitorRect.h"

void MonitorTable::Add(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (areas_.size() >= kMaxMonitors)
        return;
    areas_.push_back({left, top, right - left, bottom - top});
}

MonitorArea ChooseMonitorArea(int32_t n, const MonitorTable& monitors, int32_t virtualWidth, int32_t virtualHeight)
{
    if (n >= 1 && size_t(n) <= monitors.Areas().size())
        return monitors.Areas()[size_t(n) - 1];
    return {0, 0, virtualWidth, virtualHeight};
}

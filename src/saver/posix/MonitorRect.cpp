#include "saver/MonitorRect.h"

// Without a display the headless show covers one fixed screen.
MonitorArea GetMonitorRect(int32_t n)
{
    MonitorTable monitors;
    if (n != 0)
        monitors.Add(0, 0, 1024, 768);
    return ChooseMonitorArea(n, monitors, 1024, 768);
}

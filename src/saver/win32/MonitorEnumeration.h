#pragma once
#include "saver/MonitorRect.h"

// The display monitors in the system's enumeration order, the order GetMonitorRect numbers them in.
MonitorTable EnumerateMonitors();

#pragma once
#include "saver/MonitorRect.h"

#include <string>
#include <vector>

// The Setting page's monitor list: "0 : Entire virtual screen", then "n : (left,top,width*height)" for each
// monitor in enumeration order, so entry n is the monitor the show's window places itself on.
std::vector<std::string> MonitorListTexts(const std::vector<MonitorArea>& monitors);

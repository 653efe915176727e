#include "config/MonitorList.h"

#include <cstdio>

std::vector<std::string> MonitorListTexts(const std::vector<MonitorArea>& monitors)
{
    std::vector<std::string> texts{"0 : Entire virtual screen"};
    int number = 1;
    for (const MonitorArea& m : monitors) {
        char text[96];
        std::snprintf(text, sizeof text, "%d : (%d,%d,%d*%d)", number++, m.left, m.top, m.width, m.height);
        texts.emplace_back(text);
    }
    return texts;
}

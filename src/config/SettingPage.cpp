#include "config/SettingPage.h"

#include "model/SaverSettings.h"

#include <algorithm>

std::string KeyText(int32_t keyValue)
{
    const char c = static_cast<char>(keyValue & 0xFF);
    return c == 0 ? std::string() : std::string(1, c);
}

int32_t KeyValue(const std::string& keyText)
{
    return keyText.empty() ? 0 : static_cast<unsigned char>(keyText[0]);
}

SettingPageValues LoadSettingPage(const CSaverSettings& s)
{
    SettingPageValues page;
    page.anyEvent = s.anyEvent;
    page.mouseMove = s.mouseMove;
    page.mouseLeftClick = s.mouseLeftClick;
    page.mouseRightClick = s.mouseRightClick;
    page.mouseDoubleClick = s.mouseDoubleClick;
    page.escKey = s.escKey;
    page.enterKey = s.enterKey;
    page.specifiedKey = s.specifiedKey;
    page.keyText = KeyText(s.keyValue);
    // The controls hold only their range: what they show is what confirming stores.
    page.sliderPosition = std::clamp(s.mouseThreshold, kSliderMin, kSliderMax);
    page.mute = s.playSounds == 0 ? 1 : 0;
    page.timeLimit = s.timeLimit;
    page.spinPosition = std::clamp<int32_t>(static_cast<int16_t>(s.timeLimitMinutes & 0xFFFF), kMinutesMin,
                                           kMinutesMax);
    page.monitor = s.monitor;
    return page;
}

void StoreSettingPage(const SettingPageValues& page, CSaverSettings& s)
{
    s.anyEvent = page.anyEvent;
    s.mouseMove = page.mouseMove;
    s.mouseLeftClick = page.mouseLeftClick;
    s.mouseRightClick = page.mouseRightClick;
    s.mouseDoubleClick = page.mouseDoubleClick;
    s.escKey = page.escKey;
    s.enterKey = page.enterKey;
    s.specifiedKey = page.specifiedKey;
    s.keyValue = KeyValue(page.keyText);
    s.mouseThreshold = page.sliderPosition;
    s.playSounds = page.mute == 0 ? 1 : 0;
    s.timeLimit = page.timeLimit;
    s.timeLimitMinutes = page.spinPosition;
    if (page.monitor >= 0)
        s.monitor = page.monitor;
}

int32_t MinutesFromSpin(uint32_t report, int32_t lastValid)
{
    const int32_t position = static_cast<int16_t>(report & 0xFFFF);
    if ((report >> 16) != 0 || position < kMinutesMin || position > kMinutesMax)
        return std::clamp(lastValid, kMinutesMin, kMinutesMax);
    return position;
}

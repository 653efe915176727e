#include "config/SettingPage.h"

#include "model/UserSettings.h"

#include <algorithm>

namespace {

// The check boxes that show a stored value as it is.
struct CheckField {
    int SettingPageValues::*page;
    int32_t UserSettings::*stored;
};
const CheckField kCheckFields[] = {
    {&SettingPageValues::anyEvent, &UserSettings::anyEvent},
    {&SettingPageValues::mouseMove, &UserSettings::mouseMove},
    {&SettingPageValues::mouseLeftClick, &UserSettings::mouseLeftClick},
    {&SettingPageValues::mouseRightClick, &UserSettings::mouseRightClick},
    {&SettingPageValues::mouseDoubleClick, &UserSettings::mouseDoubleClick},
    {&SettingPageValues::escKey, &UserSettings::escKey},
    {&SettingPageValues::enterKey, &UserSettings::enterKey},
    {&SettingPageValues::specifiedKey, &UserSettings::specifiedKey},
    {&SettingPageValues::timeLimit, &UserSettings::timeLimit},
};

} // namespace

std::string KeyText(int32_t keyValue)
{
    const char c = static_cast<char>(keyValue & 0xFF);
    return c == 0 ? std::string() : std::string(1, c);
}

int32_t KeyValue(const std::string& keyText)
{
    return keyText.empty() ? 0 : static_cast<unsigned char>(keyText[0]);
}

SettingPageValues LoadSettingPage(const UserSettings& s)
{
    SettingPageValues page;
    for (const CheckField& f : kCheckFields)
        page.*f.page = s.*f.stored;
    page.keyText = KeyText(s.keyValue);
    // The controls hold only their range: what they show is what confirming stores.
    page.sliderPosition = std::clamp(s.mouseThreshold, kSliderMin, kSliderMax);
    page.mute = s.playSounds == 0 ? 1 : 0;
    page.spinPosition =
        std::clamp<int32_t>(static_cast<int16_t>(s.timeLimitMinutes & 0xFFFF), kMinutesMin, kMinutesMax);
    page.monitor = s.monitor;
    return page;
}

void StoreSettingPage(const SettingPageValues& page, UserSettings& s)
{
    for (const CheckField& f : kCheckFields)
        s.*f.stored = page.*f.page;
    s.keyValue = KeyValue(page.keyText);
    s.mouseThreshold = page.sliderPosition;
    s.playSounds = page.mute == 0 ? 1 : 0;
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

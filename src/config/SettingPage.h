#pragma once
#include "config/ConfigIds.h"

#include <cstdint>
#include <string>

class UserSettings;

// The Setting page's own copy of what its controls show; the dialog moves these between the controls and
// the user settings.
struct SettingPageValues {
    int anyEvent = 1;
    int mouseMove = 0;
    int mouseLeftClick = 0;
    int mouseRightClick = 0;
    int mouseDoubleClick = 0;
    int escKey = 0;
    int enterKey = 0;
    int specifiedKey = 0;
    std::string keyText;
    int sliderPosition = 0;
    int mute = 0;
    int timeLimit = 0;
    int spinPosition = 60; // minutes, 1 to 60
    int monitor = 0;       // the monitor list's selection; -1: none
};

// The slider and the spin keep their values within these ranges.
constexpr int kSliderMin = 1, kSliderMax = 100;
constexpr int kMinutesMin = 1, kMinutesMax = 60;

// The page's values for the stored settings.
SettingPageValues LoadSettingPage(const UserSettings& settings);
// Writes the page's values back. With no monitor selected (a stored monitor no longer present) the stored
// choice is kept, so it is there again when the monitor comes back.
void StoreSettingPage(const SettingPageValues& page, UserSettings& settings);

// The key box shows the stored key's character; an empty box stores 0.
std::string KeyText(int32_t keyValue);
int32_t KeyValue(const std::string& keyText);

// The controls "Any Event." greys while it is on; nothing else on the page changes with it.
inline constexpr int kCloseEventControls[] = {IDC_MOUSE_MOVE,         IDC_MOUSE_LEFT_CLICK, IDC_MOUSE_RIGHT_CLICK,
                                              IDC_MOUSE_DOUBLE_CLICK, IDC_ESC_KEY,          IDC_ENTER_KEY,
                                              IDC_SPECIFIED_KEY,      IDC_KEY_LABEL,        IDC_KEY_TEXT};
inline bool CloseEventControlsEnabled(int anyEvent)
{
    return anyEvent == 0;
}

// Minutes from the spin's position report (position in the low 16 bits, an error flag in the high ones).
// A box holding no number in range keeps the last valid position instead of storing the error word.
int32_t MinutesFromSpin(uint32_t report, int32_t lastValid);

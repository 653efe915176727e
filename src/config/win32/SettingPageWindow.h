#pragma once
#include "config/SettingPage.h"
#include "config/win32/ConfigPage.h"

// The "Setting" page: close events, key, mouse threshold, mute, time limitation and monitor.
class SettingPageWindow final : public ConfigPage {
public:
    SettingPageWindow();
    // Stores the controls into the user settings (the dialog then saves them).
    void ApplySettings();

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    void ReadControls();
    void WriteControls();
    void EnableCloseEvents();

    SettingPageValues values_;
    int lastValidMinutes_ = kMinutesMax;
};

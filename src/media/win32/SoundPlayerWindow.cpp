#include "media/win32/SoundPlayerWindow.h"

#include "media/SoundPlayer.h"
#include "media/win32/SubclassedControl.h"

namespace {

class SoundPlayerWindow final : public IPlayerWindow, public SubclassedControl {
public:
    explicit SoundPlayerWindow(HWND parent) : parent_(parent)
    {
        // Not visible: a window only to receive the device's notifications and the polling timer.
        CreateControl("STATIC", "SoundPlayer", WS_CHILD | SS_CENTER, 10, 10, 140, 40, parent, 0xffff);
    }

    WindowRef Handle() override { return SubclassedControl::Handle(); }
    void SetTimer(uint32_t id, uint32_t ms) override { ::SetTimer(SubclassedControl::Handle(), id, ms, nullptr); }
    void KillTimer(uint32_t id) override { ::KillTimer(SubclassedControl::Handle(), id); }
    void PostToParent(uint32_t message) override { PostMessageA(parent_, message, 0, 0); }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER) {
            if (onTimer)
                onTimer(uint32_t(wParam));
            return 0;
        }
        return CallOriginal(message, wParam, lParam);
    }

    HWND parent_;
};

} // namespace

std::unique_ptr<ISoundPlayer> CreateSoundPlayer(HWND parent, uint32_t endMessage)
{
    return std::make_unique<SoundPlayer>(std::make_unique<SoundPlayerWindow>(parent), SystemMci(), endMessage);
}

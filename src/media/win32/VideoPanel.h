#pragma once
#include "media/win32/SubclassedControl.h"

class VideoPlayer;

// The static control the video device draws into. It paints nothing itself and passes the user's input on
// to its parent (the player's dialog), which passes it on to the screensaver window.
class VideoPanel final : public SubclassedControl {
public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY;

    VideoPanel(const VideoPlayer& player, HWND parent, int x, int y, int width, int height);

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const VideoPlayer& player_;
    HWND parent_;
};

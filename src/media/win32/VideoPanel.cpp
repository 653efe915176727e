#include "media/win32/VideoPanel.h"

#include "media/VideoPlayer.h"

VideoPanel::VideoPanel(const VideoPlayer& player, HWND parent, int x, int y, int width, int height)
    : player_(player), parent_(parent)
{
    CreateControl("STATIC", "", kStyle, x, y, width, height, parent, int(VideoPlayer::kPanelId));
}

LRESULT VideoPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        if (player_.Setup().showCursor)
            player_.Setup().showCursor(player_.CursorVisible());
        break;
    case WM_HELP: PostMessageA(parent_, message, wParam, lParam); return TRUE;
    case WM_CHAR: PostMessageA(parent_, message, wParam, lParam); break;
    default:
        if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP)
            PostMessageA(parent_, message, wParam, lParam);
        break;
    }
    return CallOriginal(message, wParam, lParam);
}

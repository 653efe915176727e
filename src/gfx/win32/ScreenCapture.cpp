#include "gfx/win32/ScreenCapture.h"

#include <windows.h>

#include "gfx/win32/GdiPixels.h"
#include "gfx/win32/PictureDC.h"

bool CaptureScreenArea(Picture& picture, int left, int top, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    Picture captured;
    if (!captured.CreateBlank(width, height, 0))
        return false;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    BOOL copied = BitBlt(PictureDC(captured), 0, 0, width, height, screen, left, top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    if (!copied)
        return false;
    ClearUnusedByte(captured);
    picture = std::move(captured);
    return true;
}

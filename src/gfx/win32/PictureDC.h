#pragma once
// A picture's pixels are a DIB section selected into a memory device context, so GDI can draw into it
// (text) and a window can be painted from it with one BitBlt. Call GdiFlush() after GDI drew into a
// picture and before its pixels are read.
#include <windows.h>

#include "gfx/Picture.h"

// The picture's memory device context and DIB section; null while the picture is empty.
HDC PictureDC(const Picture& picture);
HBITMAP PictureBitmap(const Picture& picture);

// Copies the picture's (sx, sy, w, h) to (x, y) of a device context, e.g. a window's in WM_PAINT.
bool PaintPicture(HDC target, int x, int y, int w, int h, const Picture& picture, int sx, int sy);

// Selects the picture's clip region (or none) into its device context, so GDI output honours it too.
// Returns the previous GDI clip state to hand back to RestoreGdiClip.
class GdiClipScope {
public:
    GdiClipScope(const Picture& picture, const Rect* narrowTo = nullptr);
    ~GdiClipScope();
    GdiClipScope(const GdiClipScope&) = delete;
    GdiClipScope& operator=(const GdiClipScope&) = delete;

private:
    HDC dc_;
};

// A GDI region with the same pixels as the region; the caller deletes it.
HRGN CreateGdiRegion(const Region& region);

#pragma once
#include "gfx/Picture.h"

// GDI may leave alpha in the unused top byte of a picture's pixels when it draws 32-bit sources into
// it; pixels are 0x00RRGGBB, so it is cleared after such drawing (and after GdiFlush).
inline void ClearUnusedByte(Picture& picture)
{
    for (int y = 0; y < picture.Height(); ++y) {
        uint32_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x)
            row[x] &= 0x00FFFFFF;
    }
}

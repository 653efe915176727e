#pragma once

// A photo's EXIF orientation (1 upright; 2 to 8 the mirrorings and quarter turns of the TIFF tag) says how its
// stored pixels are to be turned to show it as the camera was held.

// Whether the upright picture has the stored one's width and height swapped.
inline bool SwapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// Calls put(x, y, sx, sy) for every pixel (x, y) of the upright picture, row by row, with the pixel (sx, sy) of
// the stored width x height picture it comes from.
template <class Put> void ForEachUprightPixel(int orientation, int width, int height, Put&& put)
{
    const bool swap = SwapsSides(orientation);
    const int outWidth = swap ? height : width, outHeight = swap ? width : height;
    for (int y = 0; y < outHeight; ++y) {
        for (int x = 0; x < outWidth; ++x) {
            int sx = x, sy = y;
            switch (orientation) {
            case 2: sx = width - 1 - x; break;
            case 3: sx = width - 1 - x, sy = height - 1 - y; break;
            case 4: sy = height - 1 - y; break;
            case 5: sx = y, sy = x; break;
            case 6: sx = y, sy = height - 1 - x; break;
            case 7: sx = width - 1 - y, sy = height - 1 - x; break;
            case 8: sx = width - 1 - y, sy = x; break;
            default: break;
            }
            put(x, y, sx, sy);
        }
    }
}

#pragma once
// Internal to the drawing code.
#include <algorithm>

#include "gfx/Picture.h"
#include "gfx/Region.h"

// Combines n source pixels into n destination pixels with a raster operation.
void ApplyRasterOp(uint32_t* d, const uint32_t* s, int n, RasterOp rop);

// Calls fn(y, x0, x1) for every run [x0, x1) of row y where the region and r meet, rows in increasing order
// unless bottomUp is set.
template <class F> void ForEachSpanOf(const Region& region, const Rect& r, F&& fn, bool bottomUp = false)
{
    auto band = [&](const Region::Band& b, int y) {
        for (const Region::Span& s : b.spans) {
            const int x0 = std::max(s.left, r.left);
            const int x1 = std::min(s.right, r.right);
            if (x0 < x1)
                fn(y, x0, x1);
        }
    };
    const auto& bands = region.Bands();
    if (bottomUp) {
        for (auto it = bands.rbegin(); it != bands.rend(); ++it) {
            for (int y = std::min(it->bottom, r.bottom) - 1; y >= std::max(it->top, r.top); --y)
                band(*it, y);
        }
    } else {
        for (const Region::Band& b : bands) {
            if (b.bottom <= r.top)
                continue;
            if (b.top >= r.bottom)
                break;
            for (int y = std::max(b.top, r.top); y < std::min(b.bottom, r.bottom); ++y)
                band(b, y);
        }
    }
}

// Walks the pixels of a destination rectangle that a picture lets be drawn: inside the picture and inside
// its clip region. Calls fn(y, x0, x1) for every visible run [x0, x1) of row y inside r, rows in increasing order
// unless bottomUp is set.
template <class F> void ForEachVisibleSpan(const Picture& picture, Rect r, F&& fn, bool bottomUp = false)
{
    if (!picture.IsLoaded())
        return;
    r = r.Intersect(picture.GetRect());
    if (r.IsEmpty())
        return;
    const Region* clip = picture.GetClipRgn();
    if (!clip) {
        if (bottomUp)
            for (int y = r.bottom - 1; y >= r.top; --y)
                fn(y, r.left, r.right);
        else
            for (int y = r.top; y < r.bottom; ++y)
                fn(y, r.left, r.right);
        return;
    }
    ForEachSpanOf(*clip, r, fn, bottomUp);
}

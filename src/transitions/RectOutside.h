#pragma once
#include "gfx/Geometry.h"

// The parts of r outside `inner`, as at most four rectangles (above, below, then left and right of it).
// An effect whose revealed area only grows copies just these: inside `inner` the slide already shows.
template <typename Each> void ForEachRectOutside(const Rect& r, const Rect& inner, Each&& each)
{
    if (r.IsEmpty())
        return;
    const Rect in = r.Intersect(inner);
    if (in.IsEmpty()) {
        each(r);
        return;
    }
    if (r.top < in.top)
        each(Rect{r.left, r.top, r.right, in.top});
    if (in.bottom < r.bottom)
        each(Rect{r.left, in.bottom, r.right, r.bottom});
    if (r.left < in.left)
        each(Rect{r.left, in.top, in.left, in.bottom});
    if (in.right < r.right)
        each(Rect{in.right, in.top, r.right, in.bottom});
}

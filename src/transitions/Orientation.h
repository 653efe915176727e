#pragma once
#include <utility>

#include "gfx/Geometry.h"

// The direction an effect's geometry is drawn in. A family draws one canonical direction, "down" (motion
// toward larger y, from the top-left corner), in canonical coordinates; the orientation maps that to the
// slide: first the axes are swapped (rows become columns), then the result is mirrored left-right and/or
// top-bottom. Only the geometry is mapped: pixels are always copied upright from the same place of the slide.
struct Orientation {
    bool swapAxes = false;
    bool mirrorX = false;
    bool mirrorY = false;

    static const Orientation kDown;  // rows, top to bottom; corners: the top-left one
    static const Orientation kUp;    // rows, bottom to top; corners: bottom-left
    static const Orientation kRight; // columns, left to right
    static const Orientation kLeft;  // columns, right to left
    static constexpr Orientation Mirrored(bool x, bool y) { return {false, x, y}; }

    // The canonical extent of a slide of this size: its width and height as the family sees them.
    constexpr Size Extent(Size slide) const { return swapAxes ? Size{slide.cy, slide.cx} : slide; }

    // A canonical rectangle (half-open, in canonical coordinates) as a slide rectangle.
    constexpr Rect Map(const Rect& r, Size slide) const
    {
        Rect m = swapAxes ? Rect{r.top, r.left, r.bottom, r.right} : r;
        if (mirrorX)
            m = {slide.cx - m.right, m.top, slide.cx - m.left, m.bottom};
        if (mirrorY)
            m = {m.left, slide.cy - m.bottom, m.right, slide.cy - m.top};
        return m;
    }
    // A canonical point (a vertex on the pixel grid's lines, as polygons take them) as a slide point.
    constexpr Point Map(Point p, Size slide) const
    {
        if (swapAxes)
            std::swap(p.x, p.y);
        if (mirrorX)
            p.x = slide.cx - p.x;
        if (mirrorY)
            p.y = slide.cy - p.y;
        return p;
    }

    bool operator==(const Orientation&) const = default;
};

inline constexpr Orientation Orientation::kDown{false, false, false};
inline constexpr Orientation Orientation::kUp{false, false, true};
inline constexpr Orientation Orientation::kRight{true, false, false};
inline constexpr Orientation Orientation::kLeft{true, true, false};

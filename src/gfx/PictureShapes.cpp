// Solid fills, pen lines, rectangles and ellipses.
#include <algorithm>
#include <cstdlib>

#include "gfx/DrawHelpers.h"
#include "gfx/Picture.h"
#include "gfx/PixelFill.h"

namespace {

// A pen of width w covers a w x w square around each point of its path, reaching further up and left for
// even widths.
Rect PenSquare(int x, int y, int width)
{
    const int w = std::max(1, width);
    return Rect::FromSize(x - w / 2, y - w / 2, w, w);
}

Rect Deflate(const Rect& r, int by)
{
    return Rect{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

} // namespace

void Picture::FillRect(const Rect& r, Colorref colour)
{
    const uint32_t pixel = PixelFromColorref(colour);
    ForEachVisibleSpan(*this, r, [&](int y, int x0, int x1) { FillPixels(Row(y) + x0, x1 - x0, pixel); });
}

void Picture::FillRegion(const Region& region, Colorref colour)
{
    for (const Rect& r : region.Rects())
        FillRect(r, colour);
}

void Picture::Line(int x0, int y0, int x1, int y1, const Pen& pen)
{
    if (!loaded_)
        return;
    // Far-away lines are not walked pixel by pixel; lines missing the picture are not walked at all.
    constexpr int kLimit = 1 << 28;
    for (int v : {x0, y0, x1, y1})
        if (v < -kLimit || v > kLimit)
            return;
    const int reachOut = std::max(1, pen.width);
    if (std::max(x0, x1) + reachOut < 0 || std::min(x0, x1) - reachOut >= width_ || std::max(y0, y1) + reachOut < 0 ||
        std::min(y0, y1) - reachOut >= height_)
        return;
    // Bresenham, the last point excluded.
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    const Rect reach = GetRect();
    while (x != x1 || y != y1) {
        const Rect dot = PenSquare(x, y, pen.width);
        if (!dot.Intersect(reach).IsEmpty())
            FillRect(dot, pen.color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepY;
        }
    }
}

namespace {

// A pen wider than one pixel straddles the outline, reaching further out at the top and left.
Rect PenOuterBounds(const Rect& r, int penWidth)
{
    return Rect{r.left - penWidth / 2, r.top - penWidth / 2, r.right + (penWidth - 1) / 2,
                r.bottom + (penWidth - 1) / 2};
}

// Pixels of the shape with a 4-neighbour outside it: a one-pixel outline without doubled corners.
Region Boundary(const Region& shape)
{
    Region inner = shape;
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        Region moved = shape;
        moved.Offset(dx, dy);
        inner.Combine(moved, RegionOp::And);
    }
    return Region::Combine(shape, inner, RegionOp::Diff);
}

} // namespace

void Picture::Rectangle(const Rect& bounds, std::optional<Pen> pen, std::optional<Colorref> brush)
{
    const Rect r = bounds.Normalized();
    if (r.IsEmpty())
        return;
    const int penWidth = pen ? std::max(1, pen->width) : 0;
    const Rect outer = pen ? PenOuterBounds(r, penWidth) : r;
    if (brush)
        FillRect(Deflate(outer, penWidth), *brush);
    if (pen) {
        Region frame = Region::FromRect(outer);
        const Rect inside = Deflate(outer, penWidth);
        if (!inside.IsEmpty())
            frame.Combine(Region::FromRect(inside), RegionOp::Diff);
        FillRegion(frame, pen->color);
    }
}

void Picture::Ellipse(const Rect& bounds, std::optional<Pen> pen, std::optional<Colorref> brush)
{
    const Rect r = bounds.Normalized();
    if (r.IsEmpty())
        return;
    if (!pen) {
        if (brush)
            FillRegion(Region::EllipseArea(r), *brush);
        return;
    }
    const int penWidth = std::max(1, pen->width);
    const Region whole = Region::EllipseArea(PenOuterBounds(r, penWidth));
    Region rim;
    if (penWidth == 1) {
        rim = Boundary(whole);
    } else {
        const Rect innerRect = Deflate(PenOuterBounds(r, penWidth), penWidth);
        rim = innerRect.IsEmpty() ? whole : Region::Combine(whole, Region::EllipseArea(innerRect), RegionOp::Diff);
    }
    if (brush)
        FillRegion(Region::Combine(whole, rim, RegionOp::Diff), *brush);
    FillRegion(rim, pen->color);
}

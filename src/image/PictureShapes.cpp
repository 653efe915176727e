// Solid fills, pen lines, rectangles and ellipses.
#include <algorithm>
#include <cstdlib>

#include "image/ComPicture.h"
#include "image/DrawHelpers.h"

namespace {

// A pen of width w covers a w x w square around each point of its path, reaching further up and left for
// even widths.
Rect PenSquare(int x, int y, int width) {
    const int w = std::max(1, width);
    return Rect::FromSize(x - w / 2, y - w / 2, w, w);
}

// The frame of a shape: the shape minus the same shape shrunk by the pen width on every side.
Rect Deflate(const Rect& r, int by) { return Rect{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

} // namespace

void CComPicture::FillRect(const Rect& r, Colorref colour) {
    const uint32_t pixel = PixelFromColorref(colour);
    ForEachVisibleSpan(*this, r, [&](int y, int x0, int x1) { std::fill(Row(y) + x0, Row(y) + x1, pixel); });
}

void CComPicture::FillRegion(const Region& region, Colorref colour) {
    for (const Rect& r : region.Rects()) FillRect(r, colour);
}

void CComPicture::Line(int x0, int y0, int x1, int y1, const Pen& pen) {
    if (!m_loaded)
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

void CComPicture::Rectangle(const Rect& bounds, std::optional<Pen> pen, std::optional<Colorref> brush) {
    const Rect r = bounds.Normalized();
    if (r.IsEmpty())
        return;
    const int penWidth = pen ? std::max(1, pen->width) : 0;
    if (brush)
        FillRect(Deflate(r, penWidth), *brush);
    if (pen) {
        Region frame = Region::FromRect(r);
        frame.Combine(Region::FromRect(Deflate(r, penWidth).Normalized()), RegionOp::Diff);
        if (r.Width() <= 2 * penWidth || r.Height() <= 2 * penWidth)
            frame = Region::FromRect(r);
        FillRegion(frame, pen->color);
    }
}

void CComPicture::Ellipse(const Rect& bounds, std::optional<Pen> pen, std::optional<Colorref> brush) {
    const Rect r = bounds.Normalized();
    if (r.IsEmpty())
        return;
    const int penWidth = pen ? std::max(1, pen->width) : 0;
    const Region whole = Region::EllipseArea(r);
    const Rect innerRect = Deflate(r, penWidth);
    const Region inner = innerRect.IsEmpty() ? Region() : Region::EllipseArea(innerRect);
    if (brush)
        FillRegion(inner.IsEmpty() && !pen ? whole : (pen ? inner : whole), *brush);
    if (pen)
        FillRegion(Region::Combine(whole, inner, RegionOp::Diff), pen->color);
}

#include "gfx/Region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

using Span = Region::Span;

// Sorts spans and merges overlapping or touching ones, in place.
std::vector<Span>&& NormalizeInPlace(std::vector<Span>& spans)
{
    spans.erase(std::remove_if(spans.begin(), spans.end(), [](const Span& s) { return s.right <= s.left; }),
                spans.end());
    if (spans.size() > 1) {
        std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
        size_t out = 0;
        for (size_t i = 1; i < spans.size(); ++i) {
            if (spans[i].left <= spans[out].right)
                spans[out].right = std::max(spans[out].right, spans[i].right);
            else
                spans[++out] = spans[i];
        }
        spans.resize(out + 1);
    }
    return std::move(spans);
}

bool Apply(RegionOp op, bool a, bool b)
{
    switch (op) {
    case RegionOp::And: return a && b;
    case RegionOp::Or: return a || b;
    case RegionOp::Xor: return a != b;
    case RegionOp::Diff: return a && !b;
    case RegionOp::Copy: return a;
    }
    return false;
}

// Merges two sorted span lists by walking their edges in order.
std::vector<Span> CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, RegionOp op)
{
    if (b.empty())
        return op == RegionOp::And ? std::vector<Span>{} : a;
    if (a.empty())
        return (op == RegionOp::Or || op == RegionOp::Xor) ? b : std::vector<Span>{};
    std::vector<Span> out;
    out.reserve(a.size() + b.size());
    size_t ia = 0, ib = 0;
    bool inA = false, inB = false;
    int start = 0;
    bool inside = false;
    while (ia < a.size() || ib < b.size()) {
        // The next edge of either list.
        const int xa = ia < a.size() ? (inA ? a[ia].right : a[ia].left) : INT32_MAX;
        const int xb = ib < b.size() ? (inB ? b[ib].right : b[ib].left) : INT32_MAX;
        const int x = std::min(xa, xb);
        if (xa == x) {
            if (inA)
                ++ia;
            inA = !inA;
        }
        if (xb == x) {
            if (inB)
                ++ib;
            inB = !inB;
        }
        const bool now = Apply(op, inA, inB);
        if (now == inside)
            continue;
        if (now) {
            start = x;
        } else if (!out.empty() && out.back().right == start) {
            out.back().right = x;
        } else {
            out.push_back({start, x});
        }
        inside = now;
    }
    return out;
}

int64_t CeilDiv(int64_t a, int64_t b)
{ // b > 0
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

const std::vector<Span> kNoSpans;

} // namespace

void Region::AppendBand(int top, int bottom, std::vector<Span>&& spans)
{
    if (spans.empty() || bottom <= top)
        return;
    if (!m_bands.empty() && m_bands.back().bottom == top && m_bands.back().spans == spans) {
        m_bands.back().bottom = bottom;
        return;
    }
    m_bands.push_back(Band{top, bottom, std::move(spans)});
}

Region Region::FromRect(const Rect& r)
{
    const Rect n = r.Normalized();
    Region region;
    if (!n.IsEmpty())
        region.AppendBand(n.top, n.bottom, {Span{n.left, n.right}});
    return region;
}

Region Region::FromRows(int top, const std::vector<std::vector<Span>>& rows)
{
    return FromRows(top, std::vector<std::vector<Span>>(rows));
}

Region Region::FromRows(int top, std::vector<std::vector<Span>>&& rows)
{
    Region region;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = top + static_cast<int>(i);
        region.AppendBand(y, y + 1, NormalizeInPlace(rows[i]));
    }
    return region;
}

namespace {

void PolygonYRange(const Point* points, int count, int& ymin, int& ymax)
{
    for (int i = 0; i < count; ++i) {
        ymin = std::min(ymin, points[i].y);
        ymax = std::max(ymax, points[i].y);
    }
}

// Adds the spans of one polygon to rows[y - top]. GDI puts pixel centres on the integer grid: a row is
// sampled at its y, edges are half-open in y, and a span runs from the first pixel at or right of one
// crossing to the first at or right of the next.
void AddPolygonRows(const Point* points, int count, PolyFillMode mode, int top, std::vector<std::vector<Span>>& rows)
{
    if (count < 3)
        return;
    int ymin = INT_MAX, ymax = INT_MIN;
    PolygonYRange(points, count, ymin, ymax);
    struct Crossing {
        int64_t x;
        int dir;
    };
    std::vector<Crossing> crossings;
    for (int y = ymin; y < ymax; ++y) {
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            Point p = points[i], q = points[(i + 1) % count];
            if (p.y == q.y)
                continue;
            int dir = 1;
            if (p.y > q.y) {
                std::swap(p, q);
                dir = -1;
            }
            if (y < p.y || y >= q.y)
                continue;
            // x = p.x + N / D on the row; the first pixel at or right of it is ceil(x).
            const int64_t D = int64_t(q.y) - p.y;
            const int64_t N = (int64_t(y) - p.y) * (int64_t(q.x) - p.x);
            crossings.push_back({CeilDiv(int64_t(p.x) * D + N, D), dir});
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        std::vector<Span>& row = rows[static_cast<size_t>(int64_t(y) - top)];
        int winding = 0;
        for (size_t k = 0; k + 1 < crossings.size(); ++k) {
            winding += mode == PolyFillMode::Winding ? crossings[k].dir : 1;
            const bool inside = mode == PolyFillMode::Winding ? winding != 0 : (winding & 1) != 0;
            if (inside && crossings[k].x < crossings[k + 1].x)
                row.push_back({static_cast<int>(crossings[k].x), static_cast<int>(crossings[k + 1].x)});
        }
    }
}

} // namespace

Region Region::FromPolygon(const Point* points, int count, PolyFillMode mode)
{
    if (!points || count < 3)
        return Region();
    int ymin = INT_MAX, ymax = INT_MIN;
    PolygonYRange(points, count, ymin, ymax);
    std::vector<std::vector<Span>> rows(static_cast<size_t>(static_cast<int64_t>(ymax) - ymin));
    AddPolygonRows(points, count, mode, ymin, rows);
    return FromRows(ymin, std::move(rows));
}

Region Region::FromPolygons(const std::vector<std::vector<Point>>& polygons, PolyFillMode mode)
{
    int ymin = INT_MAX, ymax = INT_MIN;
    for (const std::vector<Point>& polygon : polygons) {
        if (polygon.size() >= 3)
            PolygonYRange(polygon.data(), static_cast<int>(polygon.size()), ymin, ymax);
    }
    if (ymin >= ymax)
        return Region();
    std::vector<std::vector<Span>> rows(static_cast<size_t>(static_cast<int64_t>(ymax) - ymin));
    for (const std::vector<Point>& polygon : polygons)
        AddPolygonRows(polygon.data(), static_cast<int>(polygon.size()), mode, ymin, rows);
    return FromRows(ymin, std::move(rows));
}

bool Region::EllipseFits(long long left, long long top, long long right, long long bottom)
{
    constexpr long long kLimit = 32767;
    const auto fits = [](long long v) { return v >= INT_MIN && v <= INT_MAX; };
    return fits(left) && fits(top) && fits(right) && fits(bottom) && std::llabs(right - left) <= kLimit &&
        std::llabs(bottom - top) <= kLimit;
}

Region Region::FromEllipse(const Rect& bounds)
{
    const Rect box = bounds.Normalized();
    if (!EllipseFits(box.left, box.top, box.right, box.bottom))
        return Region();
    // GDI leaves out the last column and row.
    const int width = box.Width() - 1, height = box.Height() - 1;
    if (width < 1 || height < 1)
        return Region();
    const int left = box.left, top = box.top, right = left + width;
    if (width < 2 || height < 2)
        return FromRect(left, top, right, top + height);

    // How far row y's span is set in from both sides, for the lower half from the middle row down. The
    // ellipse runs through the centres of the outer pixels (diameters a and b); an incremental error walk
    // (Zingl's ellipse rasteriser) steps x, y or both along its edge.
    std::vector<int> inset(static_cast<size_t>(height), -1);
    const int64_t a = width - 1, b = height - 1;
    const int64_t xStep = 8 * b * b, yStep = 8 * a * a;
    int64_t dx = 4 * b * b * (1 - a), dy = 4 * a * a * (1 + b % 2);
    int64_t err = dx + dy + a * a * (b % 2);
    int x = 0, y = height / 2;
    inset[static_cast<size_t>(y)] = 0;
    while (x <= width / 2) {
        const int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            err += dx += xStep;
        }
        if (e2 <= dy) {
            ++y;
            err += dy += yStep;
            if (y < height)
                inset[static_cast<size_t>(y)] = x;
        }
    }
    // Rows the walk does not reach (the tips of ellipses more than about twice as high as their width
    // squared) stay empty, as rows it reaches past the middle column do.
    for (int row = 0; row < height / 2; ++row)
        inset[static_cast<size_t>(row)] = inset[static_cast<size_t>(b - row)];

    Region region;
    for (int row = 0; row < height; ++row) {
        const int in = inset[static_cast<size_t>(row)];
        if (in >= 0 && 2 * in < width)
            region.AppendBand(top + row, top + row + 1, {Span{left + in, right - in}});
    }
    return region;
}

Region Region::EllipseArea(const Rect& bounds)
{
    const Rect r = bounds.Normalized();
    if (r.IsEmpty())
        return Region();
    const double cx = (double(r.left) + r.right) / 2, cy = (double(r.top) + r.bottom) / 2;
    const double rx = double(r.Width()) / 2, ry = double(r.Height()) / 2;
    std::vector<std::vector<Span>> rows(static_cast<size_t>(r.Height()));
    for (int y = r.top; y < r.bottom; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        const double t = 1.0 - dy * dy;
        if (t < 0)
            continue;
        const double hw = rx * std::sqrt(t);
        // Pixels whose centres lie inside the ellipse.
        const int left = std::max(r.left, static_cast<int>(std::ceil(cx - hw - 0.5 - 1e-9)));
        const int right = std::min(r.right, static_cast<int>(std::floor(cx + hw - 0.5 + 1e-9)) + 1);
        if (left < right)
            rows[static_cast<size_t>(y - r.top)].push_back({left, right});
    }
    return FromRows(r.top, rows);
}

Region Region::Combine(const Region& a, const Region& b, RegionOp op)
{
    if (op == RegionOp::Copy)
        return a;
    std::vector<int> ys;
    for (const Band& band : a.m_bands) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const Band& band : b.m_bands) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    Region out;
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        const int y = ys[k];
        while (ia < a.m_bands.size() && a.m_bands[ia].bottom <= y)
            ++ia;
        while (ib < b.m_bands.size() && b.m_bands[ib].bottom <= y)
            ++ib;
        const auto& sa = ia < a.m_bands.size() && a.m_bands[ia].top <= y ? a.m_bands[ia].spans : kNoSpans;
        const auto& sb = ib < b.m_bands.size() && b.m_bands[ib].top <= y ? b.m_bands[ib].spans : kNoSpans;
        out.AppendBand(y, ys[k + 1], CombineSpans(sa, sb, op));
    }
    return out;
}

void Region::Offset(int dx, int dy)
{
    for (Band& band : m_bands) {
        band.top += dy;
        band.bottom += dy;
        for (Span& s : band.spans) {
            s.left += dx;
            s.right += dx;
        }
    }
}

Rect Region::Bounds() const
{
    if (m_bands.empty())
        return Rect{};
    Rect r{m_bands.front().spans.front().left, m_bands.front().top, m_bands.front().spans.back().right,
           m_bands.back().bottom};
    for (const Band& band : m_bands) {
        r.left = std::min(r.left, band.spans.front().left);
        r.right = std::max(r.right, band.spans.back().right);
    }
    return r;
}

bool Region::Contains(int x, int y) const
{
    for (const Band& band : m_bands) {
        if (y < band.top)
            return false;
        if (y >= band.bottom)
            continue;
        for (const Span& s : band.spans)
            if (x >= s.left && x < s.right)
                return true;
        return false;
    }
    return false;
}

long long Region::Area() const
{
    long long area = 0;
    for (const Band& band : m_bands)
        for (const Span& s : band.spans)
            area += static_cast<long long>(s.right - s.left) * (band.bottom - band.top);
    return area;
}

std::vector<Rect> Region::Rects() const
{
    std::vector<Rect> rects;
    for (const Band& band : m_bands)
        for (const Span& s : band.spans)
            rects.push_back({s.left, band.top, s.right, band.bottom});
    return rects;
}

#include "gfx/Region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

using Span = Region::Span;

// Sorts spans and merges overlapping or touching ones.
std::vector<Span> Normalize(std::vector<Span> spans)
{
    spans.erase(std::remove_if(spans.begin(), spans.end(), [](const Span& s) { return s.right <= s.left; }),
                spans.end());
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    std::vector<Span> out;
    for (const Span& s : spans) {
        if (!out.empty() && s.left <= out.back().right)
            out.back().right = std::max(out.back().right, s.right);
        else
            out.push_back(s);
    }
    return out;
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
    Region region;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = top + static_cast<int>(i);
        region.AppendBand(y, y + 1, Normalize(rows[i]));
    }
    return region;
}

Region Region::FromPolygon(const Point* points, int count, PolyFillMode mode)
{
    if (!points || count < 3)
        return Region();
    int ymin = points[0].y, ymax = points[0].y;
    for (int i = 1; i < count; ++i) {
        ymin = std::min(ymin, points[i].y);
        ymax = std::max(ymax, points[i].y);
    }
    struct Crossing {
        int64_t x; // first pixel whose centre is at or right of the edge
        int dir;
    };
    std::vector<std::vector<Span>> rows(static_cast<size_t>(static_cast<int64_t>(ymax) - ymin));
    std::vector<Crossing> crossings;
    for (int y = ymin; y < ymax; ++y) {
        crossings.clear();
        // GDI puts pixel centres on the integer grid: the row is sampled at y, edges are half-open in y.
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
        std::vector<Span>& row = rows[static_cast<size_t>(y - ymin)];
        int winding = 0;
        for (size_t k = 0; k + 1 < crossings.size(); ++k) {
            winding += mode == PolyFillMode::Winding ? crossings[k].dir : 1;
            const bool inside = mode == PolyFillMode::Winding ? winding != 0 : (winding & 1) != 0;
            if (inside && crossings[k].x < crossings[k + 1].x)
                row.push_back({static_cast<int>(crossings[k].x), static_cast<int>(crossings[k + 1].x)});
        }
    }
    return FromRows(ymin, rows);
}

Region Region::FromEllipse(const Rect& bounds)
{
    const Rect r = bounds.Normalized();
    if (r.Width() < 2 || r.Height() < 2)
        return Region();
    return EllipseArea(Rect{r.left, r.top, r.right - 1, r.bottom - 1});
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

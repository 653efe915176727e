#include "gfx/Region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using Span = Region::Span;

namespace {

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

// A polygon edge that is not horizontal, pointing down (dir 1) or up (dir -1) as drawn. On row y it crosses
// at x = x0 + (y - y0) * dx / dy; `x` holds the first pixel at or right of that crossing for the row the
// edge is at, `rem` how far that pixel lies beyond it (in 1/dy), and Step moves both down one row.
struct Edge {
    int top;    // first row it crosses
    int bottom; // first row it no longer crosses
    int dir;
    int64_t dy;
    int64_t x, rem;
    int64_t wholeStep, partStep; // dx = wholeStep * dy + partStep, 0 <= partStep < dy

    void Step()
    {
        const bool carry = partStep > rem;
        x += wholeStep + (carry ? 1 : 0);
        rem += (carry ? dy : 0) - partStep;
    }
};

struct Crossing {
    int64_t x;
    int dir;
};

int64_t FloorDiv(int64_t a, int64_t b)
{ // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The polygon's edges; ymin and ymax widen to its rows.
void CollectEdges(const Point* points, int count, std::vector<Edge>& edges, int& ymin, int& ymax)
{
    for (int i = 0; i < count; ++i) {
        Point p = points[i], q = points[(i + 1) % count];
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
        if (p.y == q.y)
            continue;
        int dir = 1;
        if (p.y > q.y) {
            std::swap(p, q);
            dir = -1;
        }
        Edge e;
        e.top = p.y;
        e.bottom = q.y;
        e.dir = dir;
        e.dy = int64_t(q.y) - p.y;
        const int64_t dx = int64_t(q.x) - p.x;
        e.x = p.x; // the crossing on the top row is the vertex itself
        e.rem = 0;
        e.wholeStep = FloorDiv(dx, e.dy);
        e.partStep = dx - e.wholeStep * e.dy;
        edges.push_back(e);
    }
}

// Steps the edges of one polygon that cross row y past it, for a row left out.
void SkipPolygonRow(Edge* edges, size_t count, int y)
{
    for (size_t i = 0; i < count; ++i)
        if (y >= edges[i].top && y < edges[i].bottom)
            edges[i].Step();
}

// Adds row y of one polygon through emit(left, right), then steps its edges to the next row; rows must be
// visited in order from the polygon's top. GDI puts pixel centres on the integer grid: a row is sampled at
// its y, edges are half-open in y, and a span runs from the first pixel at or right of one crossing to the
// first at or right of the next.
template <typename Emit>
void PolygonRow(Edge* edges, size_t count, PolyFillMode mode, int y, std::vector<Crossing>& crossings, Emit&& emit)
{
    crossings.clear();
    for (size_t i = 0; i < count; ++i) {
        Edge& e = edges[i];
        if (y < e.top || y >= e.bottom)
            continue;
        crossings.push_back({e.x, e.dir});
        e.Step();
    }
    // A handful of crossings: insertion sort. Field by field: a crossing written a moment ago and read back
    // whole would wait for its two stores to reach memory, row after row.
    for (size_t i = 1; i < crossings.size(); ++i) {
        const int64_t x = crossings[i].x;
        const int dir = crossings[i].dir;
        size_t k = i;
        for (; k > 0 && crossings[k - 1].x > x; --k) {
            crossings[k].x = crossings[k - 1].x;
            crossings[k].dir = crossings[k - 1].dir;
        }
        crossings[k].x = x;
        crossings[k].dir = dir;
    }
    int winding = 0;
    for (size_t k = 0; k + 1 < crossings.size(); ++k) {
        winding += mode == PolyFillMode::Winding ? crossings[k].dir : 1;
        const bool inside = mode == PolyFillMode::Winding ? winding != 0 : (winding & 1) != 0;
        if (inside && crossings[k].x < crossings[k + 1].x)
            emit(static_cast<int>(crossings[k].x), static_cast<int>(crossings[k + 1].x));
    }
}

} // namespace

// Collects a region band by band, top to bottom: the open band's spans are added left to right, then the
// band is closed over its rows; a band equal to the one just above it is merged into that one.
class Region::Builder {
public:
    // Adds a span at or right of the open band's last one; touching and overlapping spans merge.
    void Add(int left, int right)
    {
        if (right <= left)
            return;
        if (spans_.size() > open_ && left <= spans_.back().right) {
            spans_.back().right = std::max(spans_.back().right, right);
            return;
        }
        spans_.push_back({left, right});
    }
    void Add(const SpanList& spans, int dx = 0)
    {
        for (const Span& s : spans)
            Add(s.left + dx, s.right + dx);
    }
    // Adds spans in any order.
    void AddUnsorted(Span* first, Span* last)
    {
        std::sort(first, last, [](const Span& a, const Span& b) { return a.left < b.left; });
        for (; first != last; ++first)
            Add(first->left, first->right);
    }
    void Close(int top, int bottom)
    {
        const size_t count = spans_.size() - open_;
        if (count == 0 || bottom <= top) {
            spans_.resize(open_);
            return;
        }
        if (!bands_.empty()) {
            Band& above = bands_.back();
            const auto mine = spans_.begin() + static_cast<std::ptrdiff_t>(open_);
            if (above.bottom == top && above.spans.count_ == count &&
                std::equal(mine - static_cast<std::ptrdiff_t>(count), mine, mine)) {
                above.bottom = bottom;
                spans_.resize(open_);
                return;
            }
        }
        // Built in place: a band put together beside and copied in whole would wait on its own stores.
        Band& band = bands_.emplace_back();
        band.top = top;
        band.bottom = bottom;
        band.spans.count_ = count;
        open_ = spans_.size();
    }
    // Adds the pixels of a and b (either may be missing) combined with op, walking both lists' edges in order.
    void Combine(const SpanList* a, const SpanList* b, RegionOp op)
    {
        if (!a && !b)
            return;
        if (!b) {
            if (op != RegionOp::And)
                Add(*a);
            return;
        }
        if (!a) {
            if (op == RegionOp::Or || op == RegionOp::Xor)
                Add(*b);
            return;
        }
        // Rows a shape shares with the one it grew from are the usual case.
        if (*a == *b) {
            if (op == RegionOp::And || op == RegionOp::Or)
                Add(*a);
            return;
        }
        if (a->size() == 1 && b->size() == 1 && op != RegionOp::Xor) {
            CombineSpans((*a)[0], (*b)[0], op);
            return;
        }
        size_t ia = 0, ib = 0;
        bool inA = false, inB = false, inside = false;
        int start = 0;
        while (ia < a->size() || ib < b->size()) {
            // The next edge of either list.
            const int xa = ia < a->size() ? (inA ? (*a)[ia].right : (*a)[ia].left) : INT32_MAX;
            const int xb = ib < b->size() ? (inB ? (*b)[ib].right : (*b)[ib].left) : INT32_MAX;
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
            if (now)
                start = x;
            else
                Add(start, x);
            inside = now;
        }
    }

    // One span with another, as most rows of a growing shape and the one before it are.
    void CombineSpans(const Span& a, const Span& b, RegionOp op)
    {
        switch (op) {
        case RegionOp::And: Add(std::max(a.left, b.left), std::min(a.right, b.right)); return;
        case RegionOp::Or:
            if (b.left < a.left) {
                Add(b.left, b.right);
                Add(a.left, a.right);
            } else {
                Add(a.left, a.right);
                Add(b.left, b.right);
            }
            return;
        case RegionOp::Diff:
            Add(a.left, std::min(a.right, b.left));
            Add(std::max(a.left, b.right), a.right);
            return;
        default: Add(a.left, a.right); return;
        }
    }

    void Reserve(size_t bands, size_t spans)
    {
        bands_.reserve(bands);
        spans_.reserve(spans);
    }

    Region Finish()
    {
        spans_.resize(open_);
        Region region;
        region.bands_ = std::move(bands_);
        region.spans_ = std::move(spans_);
        region.Rebase();
        return region;
    }

private:
    std::vector<Band> bands_;
    std::vector<Span> spans_;
    size_t open_ = 0;
};

// ---- storage

bool Region::SpanList::operator==(const SpanList& other) const
{
    return std::equal(begin(), end(), other.begin(), other.end());
}

Region::Region(const Region& other) : bands_(other.bands_), spans_(other.spans_)
{
    Rebase();
}

Region& Region::operator=(const Region& other)
{
    if (this != &other) {
        bands_ = other.bands_;
        spans_ = other.spans_;
        Rebase();
    }
    return *this;
}

// A moved vector keeps its buffer, so the bands still point into the right spans.
Region::Region(Region&& other) noexcept : bands_(std::move(other.bands_)), spans_(std::move(other.spans_))
{
    other.bands_.clear();
    other.spans_.clear();
}

Region& Region::operator=(Region&& other) noexcept
{
    if (this != &other) {
        bands_ = std::move(other.bands_);
        spans_ = std::move(other.spans_);
        other.bands_.clear();
        other.spans_.clear();
    }
    return *this;
}

void Region::Rebase()
{
    const Span* next = spans_.data();
    for (Band& band : bands_) {
        band.spans.first_ = next;
        next += band.spans.count_;
    }
}

// ---- shapes

Region Region::FromRect(const Rect& r)
{
    const Rect n = r.Normalized();
    Builder out;
    out.Add(n.left, n.right);
    out.Close(n.top, n.bottom);
    return out.Finish();
}

Region Region::FromRows(int top, const std::vector<std::vector<Span>>& rows)
{
    Builder out;
    std::vector<Span> row;
    for (size_t i = 0; i < rows.size(); ++i) {
        row.assign(rows[i].begin(), rows[i].end());
        out.AddUnsorted(row.data(), row.data() + row.size());
        const int y = top + static_cast<int>(i);
        out.Close(y, y + 1);
    }
    return out.Finish();
}

Region Region::FromRows(int top, std::vector<std::vector<Span>>&& rows)
{
    Builder out;
    for (size_t i = 0; i < rows.size(); ++i) {
        out.AddUnsorted(rows[i].data(), rows[i].data() + rows[i].size());
        const int y = top + static_cast<int>(i);
        out.Close(y, y + 1);
    }
    return out.Finish();
}

Region Region::FromPolygon(const Point* points, int count, PolyFillMode mode, const Rect& clip)
{
    if (!points || count < 3 || clip.IsEmpty())
        return Region();
    std::vector<Edge> edges;
    int ymin = INT_MAX, ymax = INT_MIN;
    CollectEdges(points, count, edges, ymin, ymax);
    const int first = std::max(ymin, clip.top), end = std::min(ymax, clip.bottom);
    if (first >= end)
        return Region();
    for (int y = ymin; y < first; ++y)
        SkipPolygonRow(edges.data(), edges.size(), y);
    Builder out;
    const size_t rows = static_cast<size_t>(std::min<int64_t>(int64_t(end) - first, 1 << 16));
    out.Reserve(rows, rows);
    std::vector<Crossing> crossings;
    for (int y = first; y < end; ++y) {
        PolygonRow(edges.data(), edges.size(), mode, y, crossings,
                   [&](int l, int r) { out.Add(std::max(l, clip.left), std::min(r, clip.right)); });
        out.Close(y, y + 1);
    }
    return out.Finish();
}

Region Region::FromPolygons(const std::vector<std::vector<Point>>& polygons, PolyFillMode mode, const Rect& clip)
{
    if (clip.IsEmpty())
        return Region();
    struct Piece {
        size_t firstEdge, edgeCount;
        int top, bottom;
    };
    std::vector<Edge> edges;
    std::vector<Piece> pieces;
    int ymin = INT_MAX, ymax = INT_MIN;
    for (const std::vector<Point>& polygon : polygons) {
        if (polygon.size() < 3)
            continue;
        Piece piece{edges.size(), 0, INT_MAX, INT_MIN};
        CollectEdges(polygon.data(), static_cast<int>(polygon.size()), edges, piece.top, piece.bottom);
        piece.edgeCount = edges.size() - piece.firstEdge;
        ymin = std::min(ymin, piece.top);
        ymax = std::max(ymax, piece.bottom);
        pieces.push_back(piece);
    }
    const int first = std::max(ymin, clip.top), end = std::min(ymax, clip.bottom);
    for (int y = ymin; y < first; ++y)
        SkipPolygonRow(edges.data(), edges.size(), y);
    Builder out;
    std::vector<Crossing> crossings;
    std::vector<Span> row;
    for (int y = first; y < end; ++y) {
        row.clear();
        for (const Piece& piece : pieces) {
            if (y >= piece.top && y < piece.bottom)
                PolygonRow(&edges[piece.firstEdge], piece.edgeCount, mode, y, crossings, [&](int l, int r) {
                    l = std::max(l, clip.left);
                    r = std::min(r, clip.right);
                    if (l < r)
                        row.push_back({l, r});
                });
        }
        out.AddUnsorted(row.data(), row.data() + row.size());
        out.Close(y, y + 1);
    }
    return out.Finish();
}

Region Region::Tiled(const Region& tile, int dx, int nx, int dy, int ny)
{
    if (tile.IsEmpty() || nx < 1 || ny < 1)
        return Region();
    const auto byLeft = [](const Span& a, const Span& b) { return a.left < b.left; };
    // One row of tiles, band by band. Copies no wider than the step follow each other in order.
    Builder across;
    std::vector<Span> spans;
    for (const Band& band : tile.bands_) {
        const bool inOrder = dx >= 0 && band.spans.back().right - band.spans.front().left <= dx;
        spans.clear();
        for (int i = 0; i < nx; ++i)
            for (const Span& s : band.spans)
                spans.push_back({s.left + i * dx, s.right + i * dx});
        if (!inOrder)
            std::sort(spans.begin(), spans.end(), byLeft);
        for (const Span& s : spans)
            across.Add(s.left, s.right);
        across.Close(band.top, band.bottom);
    }
    Region row = across.Finish();
    if (ny == 1)
        return row;
    // The rows of tiles stacked: each pixel row merges the sorted spans of the copies that cover it.
    const int top = row.bands_.front().top, bottom = row.bands_.back().bottom;
    std::vector<size_t> at(static_cast<size_t>(ny), 0); // each copy's current band
    std::vector<Span> merged;
    Builder out;
    const int64_t spread = int64_t(ny - 1) * dy;
    const int64_t last = bottom + std::max<int64_t>(spread, 0);
    for (int64_t y = top + std::min<int64_t>(spread, 0); y < last; ++y) {
        spans.clear();
        for (int j = 0; j < ny; ++j) {
            const int64_t ty = y - int64_t(j) * dy;
            if (ty < top || ty >= bottom)
                continue;
            size_t& k = at[static_cast<size_t>(j)];
            while (row.bands_[k].bottom <= ty)
                ++k;
            const Band& band = row.bands_[k];
            if (band.top > ty)
                continue;
            if (spans.empty()) {
                spans.assign(band.spans.begin(), band.spans.end());
            } else {
                merged.resize(spans.size() + band.spans.size());
                std::merge(spans.begin(), spans.end(), band.spans.begin(), band.spans.end(), merged.begin(), byLeft);
                spans.swap(merged);
            }
        }
        for (const Span& s : spans)
            out.Add(s.left, s.right);
        out.Close(static_cast<int>(y), static_cast<int>(y + 1));
    }
    return out.Finish();
}

bool Region::EllipseFits(long long left, long long top, long long right, long long bottom)
{
    constexpr long long kLimit = 32767;
    const auto fits = [](long long v) { return v >= INT_MIN && v <= INT_MAX; };
    return fits(left) && fits(top) && fits(right) && fits(bottom) && std::llabs(right - left) <= kLimit &&
        std::llabs(bottom - top) <= kLimit;
}

Region Region::FromEllipse(const Rect& bounds, const Rect& clip)
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
        return ClipTo(FromRect(left, top, right, top + height), clip);
    const int firstRow = static_cast<int>(std::clamp<int64_t>(int64_t(clip.top) - top, 0, height));
    const int endRow = static_cast<int>(std::clamp<int64_t>(int64_t(clip.bottom) - top, 0, height));
    if (firstRow >= endRow || clip.IsEmpty())
        return Region();

    // How far each row's span is set in from both sides, found for the lower half from the middle row down.
    // The ellipse runs through the centres of the outer pixels (diameters a and b); an incremental error
    // walk (Zingl's ellipse rasteriser) steps x, y or both along its edge.
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
    // Rows the walk does not reach (the tips of ellipses with b + 1 >= 2 * a * a) stay empty, as rows it
    // reaches past the middle column do.
    for (int row = 0; row < height / 2; ++row)
        inset[static_cast<size_t>(row)] = inset[static_cast<size_t>(b - row)];

    Builder out;
    for (int row = firstRow; row < endRow; ++row) {
        const int in = inset[static_cast<size_t>(row)];
        if (in >= 0)
            out.Add(std::max(left + in, clip.left), std::min(right - in, clip.right));
        out.Close(top + row, top + row + 1);
    }
    return out.Finish();
}

Region Region::EllipseArea(const Rect& bounds)
{
    const Rect r = bounds.Normalized();
    if (r.IsEmpty())
        return Region();
    const double cx = (double(r.left) + r.right) / 2, cy = (double(r.top) + r.bottom) / 2;
    const double rx = double(r.Width()) / 2, ry = double(r.Height()) / 2;
    Builder out;
    for (int y = r.top; y < r.bottom; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        const double t = 1.0 - dy * dy;
        if (t < 0)
            continue;
        const double hw = rx * std::sqrt(t);
        // Pixels whose centres lie inside the ellipse.
        const int left = std::max(r.left, static_cast<int>(std::ceil(cx - hw - 0.5 - 1e-9)));
        const int right = std::min(r.right, static_cast<int>(std::floor(cx + hw - 0.5 + 1e-9)) + 1);
        out.Add(left, right);
        out.Close(y, y + 1);
    }
    return out.Finish();
}

// ---- operations

namespace {

// The rectangle a region is, if it is one.
bool AsRect(const Region& r, Rect& rect)
{
    if (r.Bands().size() != 1 || r.Bands().front().spans.size() != 1)
        return false;
    const Region::Band& band = r.Bands().front();
    rect = {band.spans.front().left, band.top, band.spans.front().right, band.bottom};
    return true;
}

} // namespace

Region Region::ClipTo(const Region& r, const Rect& clip)
{
    const Rect bounds = r.Bounds();
    if (bounds.Intersect(clip) == bounds)
        return r;
    Builder out;
    out.Reserve(r.bands_.size(), r.spans_.size());
    for (const Band& band : r.bands_) {
        if (band.bottom <= clip.top)
            continue;
        if (band.top >= clip.bottom)
            break;
        for (const Span& s : band.spans)
            out.Add(std::max(s.left, clip.left), std::min(s.right, clip.right));
        out.Close(std::max(band.top, clip.top), std::min(band.bottom, clip.bottom));
    }
    return out.Finish();
}

Region Region::Combine(const Region& a, const Region& b, RegionOp op)
{
    if (op == RegionOp::Copy)
        return a;
    if (b.IsEmpty())
        return op == RegionOp::And ? Region() : a;
    if (a.IsEmpty())
        return op == RegionOp::Or || op == RegionOp::Xor ? b : Region();
    // Clipping to a rectangle is the common case: cut each band's spans to it.
    Rect clip;
    if (op == RegionOp::And && AsRect(b, clip))
        return ClipTo(a, clip);
    if (op == RegionOp::And && AsRect(a, clip))
        return ClipTo(b, clip);

    Builder out;
    const std::vector<Band>& ba = a.bands_;
    const std::vector<Band>& bb = b.bands_;
    out.Reserve(ba.size() + bb.size(), a.spans_.size() + b.spans_.size());
    size_t ia = 0, ib = 0;
    int y = std::min(ba.front().top, bb.front().top);
    for (;;) {
        while (ia < ba.size() && ba[ia].bottom <= y)
            ++ia;
        while (ib < bb.size() && bb[ib].bottom <= y)
            ++ib;
        if (ia == ba.size() && ib == bb.size())
            break;
        const int nextTop = std::min(ia < ba.size() ? ba[ia].top : INT_MAX, ib < bb.size() ? bb[ib].top : INT_MAX);
        y = std::max(y, nextTop);
        const bool inA = ia < ba.size() && ba[ia].top <= y;
        const bool inB = ib < bb.size() && bb[ib].top <= y;
        int next = INT_MAX;
        if (ia < ba.size())
            next = std::min(next, inA ? ba[ia].bottom : ba[ia].top);
        if (ib < bb.size())
            next = std::min(next, inB ? bb[ib].bottom : bb[ib].top);
        out.Combine(inA ? &ba[ia].spans : nullptr, inB ? &bb[ib].spans : nullptr, op);
        out.Close(y, next);
        y = next;
    }
    return out.Finish();
}

void Region::Offset(int dx, int dy)
{
    for (Band& band : bands_) {
        band.top += dy;
        band.bottom += dy;
    }
    for (Span& s : spans_) {
        s.left += dx;
        s.right += dx;
    }
}

Rect Region::Bounds() const
{
    if (bands_.empty())
        return Rect{};
    Rect r{bands_.front().spans.front().left, bands_.front().top, bands_.front().spans.back().right,
           bands_.back().bottom};
    for (const Band& band : bands_) {
        r.left = std::min(r.left, band.spans.front().left);
        r.right = std::max(r.right, band.spans.back().right);
    }
    return r;
}

bool Region::Contains(int x, int y) const
{
    const auto band =
        std::upper_bound(bands_.begin(), bands_.end(), y, [](int row, const Band& b) { return row < b.bottom; });
    if (band == bands_.end() || y < band->top)
        return false;
    for (const Span& s : band->spans)
        if (x >= s.left && x < s.right)
            return true;
    return false;
}

long long Region::Area() const
{
    long long area = 0;
    for (const Band& band : bands_)
        for (const Span& s : band.spans)
            area += static_cast<long long>(s.right - s.left) * (band.bottom - band.top);
    return area;
}

std::vector<Rect> Region::Rects() const
{
    std::vector<Rect> rects;
    rects.reserve(spans_.size());
    for (const Band& band : bands_)
        for (const Span& s : band.spans)
            rects.push_back({s.left, band.top, s.right, band.bottom});
    return rects;
}

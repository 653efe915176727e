#pragma once
#include <climits>
#include <cstddef>
#include <vector>

#include "gfx/Geometry.h"

enum class RegionOp { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };
enum class PolyFillMode { Alternate = 1, Winding = 2 };

// A set of pixels kept as y-x bands: each band covers rows [top, bottom) with the same sorted, disjoint,
// non-touching horizontal spans. Adjacent bands with equal spans are merged, so equal pixel sets have equal
// representations and compare equal. All spans live in one array that the bands refer to in order, so
// building, combining and copying a region costs a few allocations, not one per band.
class Region {
public:
    struct Span {
        int left;
        int right;
        bool operator==(const Span&) const = default;
    };
    // A band's spans: a view into its region's storage, valid as long as the region is not changed.
    class SpanList {
    public:
        const Span* begin() const { return first_; }
        const Span* end() const { return first_ + count_; }
        size_t size() const { return count_; }
        bool empty() const { return count_ == 0; }
        const Span& operator[](size_t i) const { return first_[i]; }
        const Span& front() const { return first_[0]; }
        const Span& back() const { return first_[count_ - 1]; }
        bool operator==(const SpanList& other) const;

    private:
        friend class Region;
        const Span* first_ = nullptr;
        size_t count_ = 0;
    };
    struct Band {
        int top;
        int bottom;
        SpanList spans;
        bool operator==(const Band&) const = default;
    };

    Region() = default; // empty
    Region(const Region& other);
    Region& operator=(const Region& other);
    Region(Region&& other) noexcept;
    Region& operator=(Region&& other) noexcept;

    static Region FromRect(const Rect& r);
    static Region FromRect(int left, int top, int right, int bottom)
    {
        return FromRect(Rect{left, top, right, bottom});
    }
    // Every pixel a shape may be cut to: the shapes below take a clip, and build only the part inside it (a
    // shape growing past a 4K slide's edges has thousands of rows no one will see).
    static constexpr Rect kEverywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

    // Pixels whose centres lie inside the polygon, centres on the integer grid as GDI places them (centres
    // on a left or top edge count, on a right or bottom edge do not). Fewer than three points give an
    // empty region.
    static Region FromPolygon(const Point* points, int count, PolyFillMode mode, const Rect& clip = kEverywhere);
    static Region FromPolygon(const std::vector<Point>& points, PolyFillMode mode, const Rect& clip = kEverywhere)
    {
        return FromPolygon(points.data(), static_cast<int>(points.size()), mode, clip);
    }
    // The union of the polygons, each filled on its own with the mode: one pass instead of a union per
    // polygon, for shapes made of many pieces.
    static Region FromPolygons(const std::vector<std::vector<Point>>& polygons, PolyFillMode mode,
                               const Rect& clip = kEverywhere);
    // The union of the region moved by (i * dx, j * dy) for 0 <= i < nx and 0 <= j < ny: a field of equal
    // shapes built in one pass.
    static Region Tiled(const Region& tile, int dx, int nx, int dy, int ny);
    // An elliptic region as GDI makes it from a bounding rectangle: the ellipse through the centres of the
    // rectangle's outer pixels, leaving out its last column and row. Rectangles less than three pixels wide
    // or high give the rectangle without its last column and row; an empty one gives an empty region, and
    // so does one GDI cannot make (see EllipseFits).
    static Region FromEllipse(const Rect& bounds, const Rect& clip = kEverywhere);
    static Region FromEllipse(int left, int top, int right, int bottom)
    {
        return FromEllipse(Rect{left, top, right, bottom});
    }
    // Whether GDI makes an elliptic region of these bounds: not beyond its coordinate space of 32767 units
    // in width or height.
    static bool EllipseFits(long long left, long long top, long long right, long long bottom);
    // The pixels whose centres lie inside the ellipse inscribed in the rectangle (right and bottom
    // exclusive): what a drawn ellipse covers.
    static Region EllipseArea(const Rect& bounds);

    // a op b. For RegionOp::Copy the result is a.
    static Region Combine(const Region& a, const Region& b, RegionOp op);
    Region& Combine(const Region& other, RegionOp op) { return *this = Combine(*this, other, op); }

    void Offset(int dx, int dy);

    bool IsEmpty() const { return bands_.empty(); }
    Rect Bounds() const;
    bool Contains(int x, int y) const;
    long long Area() const;
    const std::vector<Band>& Bands() const { return bands_; }
    // The region as disjoint rectangles, top to bottom, left to right within a band.
    std::vector<Rect> Rects() const;

    bool operator==(const Region& other) const { return bands_ == other.bands_; }

    // Builds a region from rows of spans (row i is y = top + i); spans may be unsorted and overlapping.
    // Used by the shape builders; exposed for tests and custom shapes.
    static Region FromRows(int top, const std::vector<std::vector<Span>>& rows);
    static Region FromRows(int top, std::vector<std::vector<Span>>&& rows);

private:
    class Builder;
    static Region ClipTo(const Region& r, const Rect& clip);
    // Points every band at its spans: they follow each other in spans_ in band order.
    void Rebase();

    std::vector<Band> bands_;
    std::vector<Span> spans_;
};

// Our regions against the system's: the polygons, ellipses, unions, clips and offsets the region-shape
// transitions make, built both ways and compared pixel for pixel.
#include <windows.h>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "gfx/Region.h"
#include "gfx/win32/PictureDC.h"

// Failures show the pixels, not the object's bytes.
static void PrintTo(const Region& r, std::ostream* os)
{
    for (const Rect& x : r.Rects())
        *os << "[" << x.left << "," << x.top << "," << x.right << "," << x.bottom << ")";
}

namespace {

using Outline = std::vector<Point>;

// The pixels of a GDI region, from its rectangles.
Region FromGdi(HRGN rgn)
{
    const DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (size == 0 || GetRegionData(rgn, size, data) != size || data->rdh.nCount == 0)
        return Region();
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    const int top = data->rdh.rcBound.top;
    std::vector<std::vector<Region::Span>> rows(static_cast<size_t>(data->rdh.rcBound.bottom - top));
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        for (int y = rects[i].top; y < rects[i].bottom; ++y)
            rows[static_cast<size_t>(y - top)].push_back({rects[i].left, rects[i].right});
    return Region::FromRows(top, std::move(rows));
}

// Owns a GDI region.
struct Gdi {
    HRGN rgn;
    explicit Gdi(HRGN r) : rgn(r) { }
    Gdi(const Gdi&) = delete;
    ~Gdi() { DeleteObject(rgn); }
};

HRGN GdiPolygon(const Outline& pts, PolyFillMode mode)
{
    return CreatePolygonRgn(reinterpret_cast<const POINT*>(pts.data()), static_cast<int>(pts.size()),
                            mode == PolyFillMode::Winding ? WINDING : ALTERNATE);
}

// An empty region united with each polygon in turn, as the effects build a frame.
HRGN GdiUnion(const std::vector<Outline>& polygons, PolyFillMode mode)
{
    HRGN all = CreateRectRgn(0, 0, 0, 0);
    for (const Outline& p : polygons) {
        Gdi piece(GdiPolygon(p, mode));
        CombineRgn(all, all, piece.rgn, RGN_OR);
    }
    return all;
}

std::string Points(const Outline& pts)
{
    std::string s;
    for (const Point& p : pts) {
        s += '(';
        s += std::to_string(p.x);
        s += ',';
        s += std::to_string(p.y);
        s += ')';
    }
    return s;
}

// trunc(r * v) with r = h / w in single precision, as the effects scale one leg by the other.
int Scaled(int h, int w, int v)
{
    const float r = static_cast<float>(static_cast<double>(h) / w);
    return static_cast<int>(static_cast<double>(r) * v);
}

// The polygons of each region-shape family at one slide size, frame by frame (every `every`th frame).
struct Shapes {
    std::vector<Outline> single;                      // one polygon a frame (WINDING)
    std::vector<Outline> triangles;                   // corner triangles (both fill modes)
    std::vector<std::vector<Outline>> unions;         // several polygons a frame
    std::vector<std::vector<Outline>> triangleFields; // 100 triangles a frame
};

Shapes EffectShapes(int w, int h, int every)
{
    Shapes s;
    // Radial sweeps around every centre, the degenerate corner ones included.
    for (Point c : {Point{0, h}, Point{0, 0}, Point{w, h}, Point{w, 0}, Point{w / 2, h / 2}, Point{w / 3 + 1, 1}}) {
        for (int d = h; d >= 0; d -= 2 * every)
            s.single.push_back({c, {w, h}, {w, d}});
        for (int d = w; d >= 0; d -= 2 * every)
            s.single.push_back({c, {w, h}, {w, 0}, {d, 0}});
        for (int d = 0; d <= h; d += 2 * every)
            s.single.push_back({c, {w, h}, {w, 0}, {0, 0}, {0, d}});
        for (int d = 0; d <= w; d += 2 * every)
            s.single.push_back({c, {w, h}, {w, 0}, {0, 0}, {0, h}, {d, h}});
    }
    // Diamonds reaching far beyond the slide.
    const int cx = (w + 2) / 2, cy = (h + 2) / 2;
    for (int i = 0; i <= w; i += every)
        s.single.push_back({{cx - i, cy}, {cx, cy + Scaled(h, w, i)}, {cx + i, cy}, {cx, cy - Scaled(h, w, i)}});
    // Wedges down and left (the other two are their mirror images).
    for (int k = 1; k <= cx; k += 2 * every)
        s.single.push_back({{cx + k, 0}, {cx, cy}, {cx - k, 0}});
    for (int k = 0; k <= h; k += 2 * every)
        s.single.push_back({{0, k}, {cx, cy}, {w, k}, {w, 0}, {0, 0}});
    for (int k = cx; k >= 0; k -= 2 * every)
        s.single.push_back({{cx - k, h}, {cx, cy}, {cx + k, h}, {w, h}, {w, 0}, {0, 0}, {0, h}});
    for (int k = w; k >= 0; k -= 2 * every)
        s.single.push_back({{k, 0}, {cx, cy}, {k, h}, {w, h}, {w, 0}});
    // Corner triangles, one leg up to twice the slide's width.
    for (int t = 0; t < 2 * w; t += 2 * every) {
        const int v = Scaled(h, w, t);
        s.triangles.push_back({{0, h}, {t, h}, {0, h - v}});
        s.triangles.push_back({{w, 0}, {w - t, 0}, {w, v}});
        if (t < w)
            s.unions.push_back({{{0, 0}, {t, 0}, {0, v}}, {{w, h}, {w - t, h}, {w, h - v}}});
    }
    // Fan blades, both phases.
    for (int t = 1; t <= cx + 2; t += 2 * every) {
        const int u = Scaled(h, w, t) + 1;
        s.unions.push_back({{{cx, cy}, {cx, 0}, {cx + t, 0}},
                            {{cx, cy}, {0, cy}, {0, cy - u}},
                            {{cx, cy}, {cx, h}, {cx - t, h}},
                            {{cx, cy}, {w, cy}, {w, cy + u}}});
        s.unions.push_back({{{cx, cy}, {w, cy}, {w, 0}, {w - t, 0}},
                            {{cx, cy}, {cx, 0}, {0, 0}, {0, u}},
                            {{cx, cy}, {0, cy}, {0, h}, {t, h}},
                            {{cx, cy}, {cx, h}, {w, h}, {w, h - u}}});
    }
    // Multi-wipe fields.
    const int cw = (w + 10) / 10, ch = (h + 10) / 10;
    for (int t = 0; t < 2 * cw; t += 2 * every) {
        std::vector<Outline> field;
        for (int j = 0; j < 10; ++j)
            for (int i = 0; i < 10; ++i)
                field.push_back({{i * cw + cw, j * ch + ch},
                                 {i * cw + cw - t, j * ch + ch},
                                 {i * cw + cw, j * ch + ch - Scaled(h, w, t)}});
        s.triangleFields.push_back(field);
    }
    return s;
}

// The ellipses' bounding boxes: growing and closing ones keeping the slide's proportions, circles.
std::vector<Rect> EllipseBoxes(int w, int h, int every)
{
    std::vector<Rect> boxes;
    const int cx = w / 2, cy = h / 2;
    const auto centred = [&](int i) {
        return w < h ? Rect{cx - i, cy - i * h / w, cx + i, cy + i * h / w}
                     : Rect{cx - i * w / h, cy - i, cx + i * w / h, cy + i};
    };
    const int radius = static_cast<int>(std::sqrt(double(cx) * cx + double(cy) * cy));
    for (int i = 1; i <= radius + 1; i += every)
        boxes.push_back(centred(i));
    const int end = static_cast<int>(std::sqrt(double(w) * w + double(h) * h));
    for (int i = 1; i < end; i += every)
        boxes.push_back({w / 3 - i, h / 5 - i, w / 3 + i, h / 5 + i});
    return boxes;
}

struct SlideSize {
    int w, h, every;
};
const SlideSize kSizes[] = {{37, 23, 1}, {23, 37, 1}, {200, 120, 1}, {1920, 1080, 7}};

} // namespace

TEST(RegionGdi, EffectPolygonsHaveGdisPixels)
{
    for (const SlideSize& size : kSizes) {
        const Shapes shapes = EffectShapes(size.w, size.h, size.every);
        for (const Outline& p : shapes.single) {
            Gdi gdi(GdiPolygon(p, PolyFillMode::Winding));
            ASSERT_EQ(Region::FromPolygon(p, PolyFillMode::Winding), FromGdi(gdi.rgn)) << Points(p);
        }
        for (const Outline& p : shapes.triangles) {
            for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
                Gdi gdi(GdiPolygon(p, mode));
                ASSERT_EQ(Region::FromPolygon(p, mode), FromGdi(gdi.rgn)) << Points(p) << " mode " << int(mode);
            }
        }
        for (const auto& pieces : shapes.unions) {
            Gdi gdi(GdiUnion(pieces, PolyFillMode::Winding));
            ASSERT_EQ(Region::FromPolygons(pieces, PolyFillMode::Winding), FromGdi(gdi.rgn)) << Points(pieces[0]);
        }
        for (const auto& field : shapes.triangleFields) {
            Gdi gdi(GdiUnion(field, PolyFillMode::Winding));
            const Region theirs = FromGdi(gdi.rgn);
            ASSERT_EQ(Region::FromPolygons(field, PolyFillMode::Winding), theirs) << Points(field[0]);
            // The same field as one triangle tiled.
            const Region tile = Region::FromPolygon(field[0], PolyFillMode::Winding);
            ASSERT_EQ(Region::Tiled(tile, field[1][0].x - field[0][0].x, 10, field[10][0].y - field[0][0].y, 10),
                      theirs);
        }
    }
}

TEST(RegionGdi, SelfIntersectingAndDegeneratePolygonsInBothModes)
{
    // Pseudo-random polygons over a small grid: crossings, repeated points, zero-area spikes.
    uint32_t seed = 1;
    const auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(n));
    };
    for (int k = 0; k < 2000; ++k) {
        Outline p;
        const int n = 3 + next(6);
        for (int i = 0; i < n; ++i)
            p.push_back({next(40) - 5, next(40) - 5});
        const PolyFillMode mode = k % 2 ? PolyFillMode::Winding : PolyFillMode::Alternate;
        Gdi gdi(GdiPolygon(p, mode));
        ASSERT_EQ(Region::FromPolygon(p, mode), FromGdi(gdi.rgn)) << Points(p) << " mode " << int(mode);
    }
}

TEST(RegionGdi, EllipsesHaveGdisPixels)
{
    // Every small box. Wine leaves the rows its walk does not reach uninitialised: those of ellipses as high
    // as twice their width's square or more (rows and columns counted without the box's last ones).
    for (int bw = 1; bw <= 40; ++bw) {
        for (int bh = 1; bh <= 40; ++bh) {
            const int a = bw - 2, rows = bh - 1;
            if (a >= 1 && rows > 2 && rows >= 2 * a * a)
                continue;
            Gdi gdi(CreateEllipticRgn(3, -2, 3 + bw, -2 + bh));
            ASSERT_EQ(Region::FromEllipse(3, -2, 3 + bw, -2 + bh), FromGdi(gdi.rgn)) << bw << "x" << bh;
        }
    }
    for (const SlideSize& size : kSizes) {
        for (const Rect& box : EllipseBoxes(size.w, size.h, size.every)) {
            Gdi gdi(CreateEllipticRgn(box.left, box.top, box.right, box.bottom));
            ASSERT_EQ(Region::FromEllipse(box), FromGdi(gdi.rgn))
                << box.left << "," << box.top << "," << box.right << "," << box.bottom;
        }
    }
}

TEST(RegionGdi, ClipsDifferencesAndOffsetsAsGdiCombinesThem)
{
    const int w = 61, h = 43;
    const Outline fan{{w / 3, h / 2}, {w, h}, {w, 0}, {0, 0}, {0, 9}};
    const Outline diamond{{31, 22}, {31, 22 + 40}, {31 + 57, 22}, {31, 22 - 40}};
    const Rect box{-20, 5, 70, 40};
    Gdi slide(CreateRectRgn(0, 0, w, h));
    const Region ourSlide = Region::FromRect(0, 0, w, h);
    const Region shapes[] = {Region::FromPolygon(fan, PolyFillMode::Winding),
                             Region::FromPolygon(diamond, PolyFillMode::Winding), Region::FromEllipse(box)};
    HRGN made[] = {GdiPolygon(fan, PolyFillMode::Winding), GdiPolygon(diamond, PolyFillMode::Winding),
                   CreateEllipticRgn(box.left, box.top, box.right, box.bottom)};
    for (size_t i = 0; i < std::size(shapes); ++i) {
        Gdi gdiShape(made[i]);
        const struct {
            int gdi;
            RegionOp ours;
        } ops[] = {
            {RGN_AND, RegionOp::And}, {RGN_OR, RegionOp::Or}, {RGN_XOR, RegionOp::Xor}, {RGN_DIFF, RegionOp::Diff}};
        for (const auto& op : ops) {
            // Shape with slide (clipped growing shapes) and slide with shape (the closing ones' complement).
            Gdi a(CreateRectRgn(0, 0, 0, 0)), b(CreateRectRgn(0, 0, 0, 0));
            CombineRgn(a.rgn, gdiShape.rgn, slide.rgn, op.gdi);
            CombineRgn(b.rgn, slide.rgn, gdiShape.rgn, op.gdi);
            Region ourA = Region::Combine(shapes[i], ourSlide, op.ours);
            Region ourB = Region::Combine(ourSlide, shapes[i], op.ours);
            ASSERT_EQ(ourA, FromGdi(a.rgn)) << "shape " << i << " op " << op.gdi;
            ASSERT_EQ(ourB, FromGdi(b.rgn)) << "shape " << i << " op " << op.gdi;
            // Moved to a slide position in the window, and to one partly off it.
            for (POINT at : {POINT{100, 50}, POINT{-7, -30}}) {
                OffsetRgn(a.rgn, at.x, at.y);
                ourA.Offset(at.x, at.y);
                ASSERT_EQ(ourA, FromGdi(a.rgn)) << "shape " << i << " op " << op.gdi << " at " << at.x;
            }
        }
    }
}

// Our regions handed to GDI (window clips, text clips) keep their pixels, however many pieces they have.
TEST(RegionGdi, RegionsHandedToGdiKeepTheirPixels)
{
    const Region strip =
        Region::Combine(Region::FromEllipse(0, 0, 40, 30), Region::FromEllipse(2, 2, 38, 28), RegionOp::Diff);
    for (const Region& r : {Region(), Region::FromRect(3, 4, 9, 5), Region::FromEllipse(-5, 7, 60, 41),
                            Region::Tiled(strip, 41, 10, 31, 10)}) {
        Gdi gdi(CreateGdiRegion(r));
        EXPECT_EQ(FromGdi(gdi.rgn), r);
    }
}

#include <gtest/gtest.h>

#include "gfx/win32/PictureDC.h"
#include "support/PictureTestUtil.h"

TEST(PictureDC, GdiAndPortableCodeShareThePixels)
{
    Picture p = MakeFilled(4, 3, kBlack);
    HDC dc = PictureDC(p);
    ASSERT_NE(dc, nullptr);
    ASSERT_NE(PictureBitmap(p), nullptr);
    p.SetPixel(2, 1, MakeColorref(10, 20, 30));
    EXPECT_EQ(::GetPixel(dc, 2, 1), RGB(10, 20, 30));
    ::SetPixel(dc, 0, 2, RGB(1, 2, 3));
    GdiFlush();
    EXPECT_EQ(p.GetPixel(0, 2), MakeColorref(1, 2, 3));
    EXPECT_EQ(p.Row(2)[0], 0x010203u);
    p.Free();
    EXPECT_EQ(PictureDC(p), nullptr);
}

TEST(PictureDC, PaintPictureCopiesToAnotherDC)
{
    Picture src = MakeNumbered(3, 3);
    Picture dst = MakeFilled(3, 3, kBlack);
    ASSERT_TRUE(PaintPicture(PictureDC(dst), 1, 1, 2, 2, src, 0, 0));
    GdiFlush();
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{0, 0, 0, 0, 1, 2, 0, 17, 18}));
    Picture empty;
    EXPECT_FALSE(PaintPicture(PictureDC(dst), 0, 0, 1, 1, empty, 0, 0));
}

TEST(PictureDC, GdiRegionHasTheSamePixels)
{
    Region r = Region::FromEllipse(0, 0, 9, 7);
    r.Combine(Region::FromRect(5, 5, 12, 9), RegionOp::Xor);
    HRGN rgn = CreateGdiRegion(r);
    for (int y = -1; y < 10; ++y)
        for (int x = -1; x < 13; ++x)
            EXPECT_EQ(PtInRegion(rgn, x, y) != FALSE, r.Contains(x, y)) << x << "," << y;
    DeleteObject(rgn);
}

TEST(PictureDC, PolygonAndEllipseRegionsMatchGdis)
{
    const std::vector<std::vector<Point>> polygons{
        {{3, 1}, {27, 6}, {19, 25}, {2, 17}},
        {{3, 0}, {6, 3}, {3, 6}, {0, 3}},
        {{0, 0}, {30, 4}, {2, 29}, {28, 27}, {15, -3}}, // self-intersecting
    };
    for (PolyFillMode mode : {PolyFillMode::Winding, PolyFillMode::Alternate}) {
        for (const auto& pts : polygons) {
            const Region ours = Region::FromPolygon(pts, mode);
            HRGN gdi = CreatePolygonRgn(reinterpret_cast<const POINT*>(pts.data()), static_cast<int>(pts.size()),
                                        mode == PolyFillMode::Winding ? WINDING : ALTERNATE);
            int differ = 0;
            for (int y = -4; y < 34; ++y)
                for (int x = -4; x < 34; ++x)
                    differ += (PtInRegion(gdi, x, y) != FALSE) != ours.Contains(x, y);
            EXPECT_LE(differ, 4) << "polygon " << pts.size() << " mode " << int(mode);
            DeleteObject(gdi);
        }
    }
    for (const Rect& box : {Rect{2, 3, 30, 21}, Rect{0, 0, 8, 8}, Rect{0, 0, 6, 4}, Rect{5, 1, 6, 9}}) {
        const Region ours = Region::FromEllipse(box);
        HRGN gdi = CreateEllipticRgn(box.left, box.top, box.right, box.bottom);
        int differ = 0;
        for (int y = -1; y < 32; ++y)
            for (int x = -1; x < 32; ++x)
                differ += (PtInRegion(gdi, x, y) != FALSE) != ours.Contains(x, y);
        EXPECT_EQ(differ, 0) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
        DeleteObject(gdi);
    }
}

namespace {

bool NearbyHas(const Picture& p, int x, int y, uint32_t colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (p.GetPixel(x + dx, y + dy) == ColorrefFromPixel(colour))
                return true;
    return false;
}

// Compares a GDI drawing with ours: returns how many pixels differ, and fails for a pixel whose colour
// is not found within one pixel in the other drawing.
int DifferingPixels(int w, int h, void (*gdi)(HDC), void (*ours)(Picture&))
{
    Picture a = MakeFilled(w, h, kBlack), b = MakeFilled(w, h, kBlack);
    gdi(PictureDC(a));
    GdiFlush();
    ours(b);
    int differ = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (a.Row(y)[x] == b.Row(y)[x])
                continue;
            ++differ;
            EXPECT_TRUE(NearbyHas(b, x, y, a.Row(y)[x]) && NearbyHas(a, x, y, b.Row(y)[x])) << x << "," << y;
        }
    }
    return differ;
}

template <int Width> void GdiShapes(HDC dc)
{
    HPEN pen = CreatePen(PS_SOLID, Width, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, 30, 1);
    MoveToEx(dc, 2, 4, nullptr);
    LineTo(dc, 29, 13);
    Rectangle(dc, 3, 16, 20, 27);
    Ellipse(dc, 22, 16, 39, 30);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

template <int Width> void OurShapes(Picture& p)
{
    const Pen pen{MakeColorref(255, 0, 0), Width};
    const Colorref brush = MakeColorref(0, 0, 255);
    p.Line(0, 1, 30, 1, pen);
    p.Line(2, 4, 29, 13, pen);
    p.Rectangle({3, 16, 20, 27}, pen, brush);
    p.Ellipse({22, 16, 39, 30}, pen, brush);
}

} // namespace

TEST(PictureDC, PenShapesMatchGdiUpToEdgePixels)
{
    EXPECT_LE(DifferingPixels(40, 32, GdiShapes<1>, OurShapes<1>), 4);
    // Wide pens: GDI rounds line ends and strokes curves slightly heavier; both stay within a pixel.
    EXPECT_LE(DifferingPixels(40, 32, GdiShapes<2>, OurShapes<2>), 80);
}

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "support/PictureTestUtil.h"

TEST(RegionRect, NormalizesAndRejectsEmpty)
{
    EXPECT_EQ(Region::FromRect(3, 4, 1, 2), Region::FromRect(1, 2, 3, 4));
    EXPECT_TRUE(Region::FromRect(1, 1, 1, 5).IsEmpty());
    EXPECT_TRUE(Region::FromRect(1, 1, 5, 1).IsEmpty());
    const Region r = Region::FromRect(1, 2, 3, 4);
    EXPECT_EQ(r.Bounds(), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(r.Area(), 4);
    EXPECT_TRUE(r.Contains(1, 2));
    EXPECT_FALSE(r.Contains(3, 2)); // right edge excluded
    EXPECT_FALSE(r.Contains(1, 4)); // bottom edge excluded
}

TEST(RegionPolygon, CoversPixelCentresInsideWithTheTopLeftRule)
{
    const std::vector<Point> square{{1, 1}, {4, 1}, {4, 3}, {1, 3}};
    EXPECT_EQ(Region::FromPolygon(square, PolyFillMode::Winding), Region::FromRect(1, 1, 4, 3));

    // Pixel centres are on the integer grid: those on the left and top edges count, right and bottom not.
    const std::vector<Point> triangle{{0, 0}, {4, 0}, {0, 4}};
    EXPECT_EQ(Mask(Region::FromPolygon(triangle, PolyFillMode::Alternate), 5, 5),
              "####.\n"
              "###..\n"
              "##...\n"
              "#....\n"
              ".....\n");
    const std::vector<Point> diamond{{3, 0}, {6, 3}, {3, 6}, {0, 3}};
    EXPECT_EQ(Mask(Region::FromPolygon(diamond, PolyFillMode::Winding), 6, 6),
              "......\n"
              "..##..\n"
              ".####.\n"
              "######\n"
              ".####.\n"
              "..##..\n");
}

TEST(RegionPolygon, WindingAndAlternateDifferOnOverlaps)
{
    // The square traced twice: winding number 2 inside.
    const std::vector<Point> twice{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {4, 0}, {4, 4}, {0, 4}};
    EXPECT_EQ(Region::FromPolygon(twice, PolyFillMode::Winding), Region::FromRect(0, 0, 4, 4));
    EXPECT_TRUE(Region::FromPolygon(twice, PolyFillMode::Alternate).IsEmpty());

    // A five-pointed star: its centre pentagon is inside for WINDING only.
    std::vector<Point> star;
    for (int i = 0; i < 5; ++i) {
        const double a = -std::numbers::pi / 2 + i * 4 * std::numbers::pi / 5;
        star.push_back({static_cast<int>(std::lround(50 + 40 * std::cos(a))),
                        static_cast<int>(std::lround(50 + 40 * std::sin(a)))});
    }
    const Region winding = Region::FromPolygon(star, PolyFillMode::Winding);
    const Region alternate = Region::FromPolygon(star, PolyFillMode::Alternate);
    EXPECT_TRUE(winding.Contains(50, 50));
    EXPECT_FALSE(alternate.Contains(50, 50));
    EXPECT_TRUE(winding.Contains(50, 15) && alternate.Contains(50, 15)); // a point of the star
    EXPECT_EQ(Region::Combine(alternate, winding, RegionOp::Diff), Region());
}

TEST(RegionPolygon, DegenerateInputsAreEmpty)
{
    const std::vector<Point> line{{0, 0}, {5, 5}, {0, 0}};
    EXPECT_TRUE(Region::FromPolygon(line, PolyFillMode::Winding).IsEmpty());
    EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{0, 0}, {5, 5}}, PolyFillMode::Winding).IsEmpty());
    EXPECT_TRUE(Region::FromPolygon(nullptr, 5, PolyFillMode::Winding).IsEmpty());
    const std::vector<Point> flat{{0, 2}, {9, 2}, {4, 2}};
    EXPECT_TRUE(Region::FromPolygon(flat, PolyFillMode::Alternate).IsEmpty());
}

TEST(RegionEllipse, LeavesOutTheLastColumnAndRowLikeGdi)
{
    EXPECT_EQ(Mask(Region::FromEllipse(0, 0, 6, 4), 6, 4),
              ".###..\n"
              "#####.\n"
              ".###..\n"
              "......\n");
    EXPECT_EQ(Mask(Region::FromEllipse(0, 0, 8, 8), 8, 8),
              "..###...\n"
              ".#####..\n"
              "#######.\n"
              "#######.\n"
              "#######.\n"
              ".#####..\n"
              "..###...\n"
              "........\n");
    EXPECT_TRUE(Region::FromEllipse(0, 0, 1, 5).IsEmpty());
    EXPECT_TRUE(Region::FromEllipse(0, 0, 0, 5).IsEmpty());
    EXPECT_EQ(Region::FromEllipse(6, 4, 0, 0), Region::FromEllipse(0, 0, 6, 4));
    EXPECT_EQ(Region::FromEllipse(3, 3, 9, 7), Region::EllipseArea({3, 3, 8, 6}));
}

TEST(RegionEllipse, HasGdisShapeAndSizeLimit)
{
    // As the system rasterises elliptic regions (checked against it in the Windows build).
    EXPECT_EQ(Mask(Region::FromEllipse(0, 0, 7, 7), 7, 7),
              "..##...\n"
              ".####..\n"
              "######.\n"
              "######.\n"
              ".####..\n"
              "..##...\n"
              ".......\n");
    EXPECT_EQ(Mask(Region::FromEllipse(0, 0, 12, 7), 12, 7),
              "...#####....\n"
              ".#########..\n"
              "###########.\n"
              "###########.\n"
              ".#########..\n"
              "...#####....\n"
              "............\n");
    // Two pixels wide or high is the rectangle less its last column and row.
    EXPECT_EQ(Region::FromEllipse(5, 5, 7, 12), Region::FromRect(5, 5, 6, 11));
    EXPECT_EQ(Region::FromEllipse(-3, 0, 9, 2), Region::FromRect(-3, 0, 8, 1));
    // The system makes no region beyond 32767 units; a box whose corners do not fit an int is refused too.
    EXPECT_TRUE(Region::EllipseFits(-16383, 0, 16384, 10));
    EXPECT_FALSE(Region::EllipseFits(-16384, 0, 16384, 10));
    EXPECT_FALSE(Region::EllipseFits(0, 2147483648LL, 10, 2147483650LL));
    EXPECT_TRUE(Region::FromEllipse(-16384, 0, 16384, 10).IsEmpty());
    EXPECT_FALSE(Region::FromEllipse(-16383, 0, 16384, 10).IsEmpty());
}

TEST(RegionEllipse, AreaIsSymmetricInsideItsBoundsWithTheRightSize)
{
    EXPECT_EQ(Mask(Region::EllipseArea({0, 0, 6, 4}), 6, 4),
              ".####.\n"
              "######\n"
              "######\n"
              ".####.\n");
    for (int w = 1; w < 40; w += 3) {
        for (int h = 1; h < 40; h += 5) {
            const Region e = Region::EllipseArea({10, 20, 10 + w, 20 + h});
            ASSERT_FALSE(e.IsEmpty()) << w << "x" << h;
            const Rect b = e.Bounds();
            EXPECT_GE(b.left, 10);
            EXPECT_GE(b.top, 20);
            EXPECT_LE(b.right, 10 + w);
            EXPECT_LE(b.bottom, 20 + h);
            for (int y = 20; y < 20 + h; ++y)
                for (int x = 10; x < 10 + w; ++x)
                    ASSERT_EQ(e.Contains(x, y), e.Contains(2 * 10 + w - 1 - x, 2 * 20 + h - 1 - y));
            const double ideal = std::numbers::pi * w * h / 4;
            EXPECT_NEAR(static_cast<double>(e.Area()), ideal, w + h + 2.0);
        }
    }
}

TEST(RegionCombine, EveryOperationOnOverlappingRectangles)
{
    const Region a = Region::FromRect(0, 0, 3, 3);
    const Region b = Region::FromRect(1, 1, 4, 4);
    EXPECT_EQ(Mask(Region::Combine(a, b, RegionOp::And), 4, 4), "....\n.##.\n.##.\n....\n");
    EXPECT_EQ(Mask(Region::Combine(a, b, RegionOp::Or), 4, 4), "###.\n####\n####\n.###\n");
    EXPECT_EQ(Mask(Region::Combine(a, b, RegionOp::Xor), 4, 4), "###.\n#..#\n#..#\n.###\n");
    EXPECT_EQ(Mask(Region::Combine(a, b, RegionOp::Diff), 4, 4), "###.\n#...\n#...\n....\n");
    EXPECT_EQ(Region::Combine(a, b, RegionOp::Copy), a);
    EXPECT_EQ(Region::Combine(a, Region(), RegionOp::Or), a);
    EXPECT_TRUE(Region::Combine(a, Region(), RegionOp::And).IsEmpty());
    EXPECT_TRUE(Region::Combine(a, a, RegionOp::Diff).IsEmpty());
}

TEST(RegionCombine, PiecesMergeIntoOneCanonicalForm)
{
    Region r;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y)
            r.Combine(Region::FromRect(x, y, x + 1, y + 1), RegionOp::Or);
    EXPECT_EQ(r, Region::FromRect(0, 0, 4, 3));
    EXPECT_EQ(r.Bands().size(), 1u);
    EXPECT_EQ(r.Rects().size(), 1u);
}

TEST(RegionCombine, MatchesPixelwiseLogicOnRandomShapes)
{
    std::mt19937 rng(7);
    auto coord = [&] { return static_cast<int>(rng() % 24) - 2; };
    auto shape = [&] {
        switch (rng() % 3) {
        case 0: return Region::FromRect(coord(), coord(), coord(), coord());
        case 1: return Region::FromEllipse(coord(), coord(), coord(), coord());
        default: {
            std::vector<Point> pts;
            for (int i = 0; i < 5; ++i)
                pts.push_back({coord(), coord()});
            return Region::FromPolygon(pts, rng() % 2 ? PolyFillMode::Winding : PolyFillMode::Alternate);
        }
        }
    };
    for (int round = 0; round < 200; ++round) {
        const Region a = shape(), b = shape();
        for (RegionOp op : {RegionOp::And, RegionOp::Or, RegionOp::Xor, RegionOp::Diff}) {
            const Region c = Region::Combine(a, b, op);
            long long count = 0;
            for (int y = -3; y < 24; ++y) {
                for (int x = -3; x < 24; ++x) {
                    const bool ia = a.Contains(x, y), ib = b.Contains(x, y);
                    const bool expected = op == RegionOp::And ? ia && ib
                        : op == RegionOp::Or                  ? ia || ib
                        : op == RegionOp::Xor                 ? ia != ib
                                                              : ia && !ib;
                    ASSERT_EQ(c.Contains(x, y), expected) << round << " op " << int(op) << " at " << x << "," << y;
                    count += expected;
                }
            }
            EXPECT_EQ(c.Area(), count);
            // Canonical: no two touching spans, no two equal adjacent bands.
            for (size_t i = 0; i < c.Bands().size(); ++i) {
                const auto& band = c.Bands()[i];
                for (size_t k = 1; k < band.spans.size(); ++k)
                    EXPECT_LT(band.spans[k - 1].right, band.spans[k].left);
                if (i > 0 && c.Bands()[i - 1].bottom == band.top) {
                    EXPECT_NE(c.Bands()[i - 1].spans, band.spans);
                }
            }
        }
    }
}

TEST(RegionCombine, ManyShapesInOnePassEqualTheirUnion)
{
    std::mt19937 rng(3);
    auto coord = [&](int n) { return static_cast<int>(rng() % n) - 4; };
    for (int round = 0; round < 100; ++round) {
        // Polygons filled each on its own, then united.
        std::vector<std::vector<Point>> polygons(1 + rng() % 5);
        Region united;
        for (auto& p : polygons) {
            for (int i = 0; i < 3 + round % 3; ++i)
                p.push_back({coord(30), coord(30)});
            united.Combine(Region::FromPolygon(p, PolyFillMode::Alternate), RegionOp::Or);
        }
        EXPECT_EQ(Region::FromPolygons(polygons, PolyFillMode::Alternate), united) << round;

        // A shape tiled either way with steps smaller and larger than itself, so copies overlap, touch or
        // stand apart.
        const Region tile = Region::FromPolygon(polygons[0], PolyFillMode::Alternate);
        const int dx = coord(30) - 5, dy = coord(30) - 5, nx = 1 + rng() % 4, ny = 1 + rng() % 4;
        Region field;
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) {
                Region copy = tile;
                copy.Offset(i * dx, j * dy);
                field.Combine(copy, RegionOp::Or);
            }
        EXPECT_EQ(Region::Tiled(tile, dx, nx, dy, ny), field) << round;
    }
    EXPECT_TRUE(Region::Tiled(Region::FromRect(0, 0, 2, 2), 3, 0, 3, 4).IsEmpty());
    EXPECT_TRUE(Region::FromPolygons({{{0, 0}, {5, 5}}}, PolyFillMode::Winding).IsEmpty());
}

TEST(RegionClip, ShapesBuiltInsideAClipEqualTheWholeShapeCut)
{
    std::mt19937 rng(11);
    auto coord = [&](int n) { return static_cast<int>(rng() % n) - 10; };
    for (int round = 0; round < 300; ++round) {
        // Clips cut any side, hold the whole shape, miss it, or are empty; polygons start above and left of them.
        const Rect clip = Rect{coord(30), coord(30), coord(40), coord(40)}.Normalized();
        const Region cut = Region::FromRect(clip);
        const auto mode = round % 2 ? PolyFillMode::Winding : PolyFillMode::Alternate;
        std::vector<std::vector<Point>> polygons(1 + rng() % 3);
        for (auto& polygon : polygons)
            for (int i = 0; i < 3 + round % 4; ++i)
                polygon.push_back({coord(50), coord(50)});
        EXPECT_EQ(Region::FromPolygon(polygons[0], mode, clip),
                  Region::Combine(Region::FromPolygon(polygons[0], mode), cut, RegionOp::And))
            << round;
        EXPECT_EQ(Region::FromPolygons(polygons, mode, clip),
                  Region::Combine(Region::FromPolygons(polygons, mode), cut, RegionOp::And))
            << round;
        const Rect box{coord(50), coord(50), coord(50), coord(50)};
        EXPECT_EQ(Region::FromEllipse(box, clip), Region::Combine(Region::FromEllipse(box), cut, RegionOp::And))
            << round;
    }
}

TEST(RegionCopy, CopiesAndMovesKeepTheirOwnSpans)
{
    const Region shape = Region::FromEllipse(0, 0, 30, 20);
    Region a = shape;
    Region b = a; // copy
    a.Offset(5, 5);
    EXPECT_EQ(b, shape);
    Region c = std::move(a);
    a = b; // assign into a moved-from region
    EXPECT_EQ(a, shape);
    b = Region::FromRect(0, 0, 1, 1);
    b = c;
    c = Region();
    c = std::move(b);
    Region& self = c;
    c = self;
    Region moved = shape;
    moved.Offset(5, 5);
    EXPECT_EQ(c, moved);
    EXPECT_TRUE(b.IsEmpty() || b == moved); // moved from: valid, whatever it holds
    EXPECT_EQ(c.Bands().front().spans, moved.Bands().front().spans);
}

TEST(RegionOffset, MovesEveryBandAndSpan)
{
    Region r = Region::FromEllipse(0, 0, 6, 4);
    const Region original = r;
    r.Offset(100, -50);
    EXPECT_EQ(r.Bounds(), (Rect{100, -50, 105, -47}));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(r.Contains(x + 100, y - 50), original.Contains(x, y));
    r.Offset(-100, 50);
    EXPECT_EQ(r, original);
}

TEST(RegionCopy, CopyThroughAPolygonChangesOnlyItsPixels)
{
    Picture slide = MakeFilled(6, 6, kRed);
    Picture canvas = MakeFilled(8, 8, kBlack);
    Region clip = Region::FromPolygon(std::vector<Point>{{3, 0}, {6, 3}, {3, 6}, {0, 3}}, PolyFillMode::Winding);
    clip.Offset(1, 1); // to the slide's position in the canvas
    canvas.SelectClipRgn(&clip);
    slide.Draw(1, 1, canvas);
    canvas.SelectClipRgn(nullptr);
    EXPECT_EQ(Mask(canvas, kRed),
              "........\n"
              "........\n"
              "...##...\n"
              "..####..\n"
              ".######.\n"
              "..####..\n"
              "...##...\n"
              "........\n");
}

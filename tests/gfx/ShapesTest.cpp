#include <gtest/gtest.h>

#include <cstdint>

#include "support/PictureTestUtil.h"

namespace {
const Colorref kRedRef = MakeColorref(255, 0, 0);
}

TEST(FillRect, FillsTheVisiblePartOnly)
{
    Picture p = MakeFilled(4, 3, kBlack);
    p.FillRect({-2, 1, 2, 9}, kRedRef);
    EXPECT_EQ(Mask(p, kRed), "....\n##..\n##..\n");
    p.FillRect({3, 0, 1, 2}, kRedRef); // inverted: nothing
    p.FillRect({1, 1, 1, 3}, kRedRef); // zero width: nothing
    p.FillRect({10, 10, 20, 20}, kRedRef);
    EXPECT_EQ(Mask(p, kRed), "....\n##..\n##..\n");
    Picture empty;
    empty.FillRect({0, 0, 5, 5}, kRedRef);
    EXPECT_FALSE(empty.IsLoaded());
}

TEST(FillRegion, FillsTheRegionInsideTheClip)
{
    Picture p = MakeFilled(5, 3, kBlack);
    const Region clip = Region::FromRect(0, 0, 5, 2);
    p.SelectClipRgn(&clip);
    p.FillRegion(Region::Combine(Region::FromRect(0, 0, 2, 3), Region::FromRect(3, 1, 5, 3), RegionOp::Or), kRedRef);
    EXPECT_EQ(Mask(p, kRed), "##...\n##.##\n.....\n");
}

TEST(Line, OnePixelPenStopsBeforeTheEndPoint)
{
    Picture p = MakeFilled(5, 4, kBlack);
    p.Line(0, 1, 4, 1, Pen{kRedRef, 1});
    EXPECT_EQ(Mask(p, kRed), ".....\n####.\n.....\n.....\n");
    Picture d = MakeFilled(5, 4, kBlack);
    d.Line(0, 0, 4, 4, Pen{kRedRef, 1});
    EXPECT_EQ(Mask(d, kRed), "#....\n.#...\n..#..\n...#.\n");
    Picture v = MakeFilled(3, 4, kBlack);
    v.Line(1, 3, 1, -5, Pen{kRedRef, 1}); // upwards, beyond the top
    EXPECT_EQ(Mask(v, kRed), ".#.\n.#.\n.#.\n.#.\n");
    Picture far = MakeFilled(2, 2, kBlack);
    far.Line(-100000, 5, 100000, 5, Pen{kRedRef, 1});      // misses the picture
    far.Line(INT32_MIN, 0, INT32_MAX, 0, Pen{kRedRef, 1}); // beyond the drawable range
    EXPECT_EQ(Mask(far, kRed), "..\n..\n");
    far.Line(-100000, 1, 100000, 1, Pen{kRedRef, 1});
    EXPECT_EQ(Mask(far, kRed), "..\n##\n");
    Picture dot = MakeFilled(2, 2, kBlack);
    dot.Line(1, 1, 1, 1, Pen{kRedRef, 1}); // no length, nothing drawn
    EXPECT_EQ(Mask(dot, kRed), "..\n..\n");
}

TEST(Line, ShallowLinesStepOncePerColumn)
{
    Picture p = MakeFilled(8, 3, kBlack);
    p.Line(0, 0, 8, 2, Pen{kRedRef, 1});
    const std::string m = Mask(p, kRed);
    for (int x = 0; x < 8; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 3; ++y)
            inColumn += m[y * 9 + x] == '#';
        EXPECT_EQ(inColumn, 1) << "column " << x;
    }
    EXPECT_EQ(m[0], '#');
}

TEST(Line, TwoPixelPenCoversTwoRows)
{
    Picture p = MakeFilled(5, 4, kBlack);
    p.Line(0, 2, 5, 2, Pen{kRedRef, 2});
    EXPECT_EQ(Mask(p, kRed), ".....\n#####\n#####\n.....\n");
}

TEST(Rectangle, OutlineInsideTheBoundsAndBrushInside)
{
    Picture p = MakeFilled(6, 5, kBlack);
    p.Rectangle({0, 0, 5, 4}, Pen{kRedRef, 1}, MakeColorref(0, 0, 255));
    EXPECT_EQ(Mask(p, kRed), "#####.\n#...#.\n#...#.\n#####.\n......\n");
    EXPECT_EQ(Mask(p, kBlue), "......\n.###..\n.###..\n......\n......\n");
    Picture q = MakeFilled(4, 4, kBlack);
    q.Rectangle({0, 0, 4, 4}, std::nullopt, kRedRef);
    EXPECT_EQ(Mask(q, kRed), "####\n####\n####\n####\n");
    // A 2-pixel pen straddles the outline: one pixel outside at the top and left, one inside elsewhere.
    q.Rectangle({0, 0, 4, 4}, Pen{MakeColorref(0, 0, 255), 2}, std::nullopt);
    EXPECT_EQ(Mask(q, kBlue), "####\n#.##\n####\n####\n");
    Picture wide = MakeFilled(9, 8, kBlack);
    wide.Rectangle({1, 1, 8, 7}, Pen{kRedRef, 2}, std::nullopt);
    EXPECT_EQ(Mask(wide, kRed),
              "########.\n"
              "########.\n"
              "##....##.\n"
              "##....##.\n"
              "##....##.\n"
              "########.\n"
              "########.\n"
              ".........\n");
}

TEST(Ellipse, FilledEllipseCoversItsWholeBoundingBox)
{
    Picture p = MakeFilled(8, 6, kBlack);
    p.Ellipse({1, 1, 7, 5}, std::nullopt, kRedRef);
    EXPECT_EQ(Mask(p, kRed),
              "........\n"
              "..####..\n"
              ".######.\n"
              ".######.\n"
              "..####..\n"
              "........\n");
}

TEST(Ellipse, OnePixelPenDrawsAThinRim)
{
    Picture p = MakeFilled(12, 10, kBlack);
    p.Ellipse({1, 1, 11, 9}, Pen{kRedRef, 1}, std::nullopt);
    EXPECT_EQ(Mask(p, kRed),
              "............\n"
              "....####....\n"
              "..##....##..\n"
              ".#........#.\n"
              ".#........#.\n"
              ".#........#.\n"
              ".#........#.\n"
              "..##....##..\n"
              "....####....\n"
              "............\n");
}

TEST(Ellipse, TwoPixelPenStraddlesTheOutlineAndBrushFillsInside)
{
    Picture p = MakeFilled(14, 12, kBlack);
    p.Ellipse({1, 1, 13, 11}, Pen{kRedRef, 2}, MakeColorref(0, 0, 255));
    EXPECT_EQ(p.Row(5)[0], kRed); // one pixel outside the bounds on the left
    EXPECT_EQ(p.Row(5)[1], kRed);
    EXPECT_EQ(p.Row(5)[2], kBlue);
    EXPECT_EQ(p.Row(5)[12], kRed); // and inside them on the right
    EXPECT_EQ(p.Row(5)[13], kBlack);
    EXPECT_EQ(p.Row(0)[6], kRed);
    EXPECT_EQ(p.Row(11)[6], kBlack);
    EXPECT_EQ(p.Row(6)[6], kBlue);
}

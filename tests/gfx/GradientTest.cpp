#include <gtest/gtest.h>

#include "gfx/Gradient.h"

namespace {

int Red(uint32_t c)
{
    return static_cast<int>(c & 0xFF);
}
int Green(uint32_t c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(uint32_t c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

TEST(GradientBands, StyleZeroRedDownTheRows)
{
    const auto bands = GradientBands(0x000000, 0x0000FF, 0, 10, 255);
    ASSERT_EQ(bands.size(), 255u);
    for (int i = 0; i < 255; ++i) {
        EXPECT_EQ(Red(bands[i].colour), i) << i;
        EXPECT_EQ(bands[i].top, i);
        EXPECT_EQ(bands[i].bottom, i + 1);
        EXPECT_EQ(bands[i].right, 10);
    }
}

// The step is single precision, its product with the band number a double: 100 x (-18 / 600) is just above
// -3 and truncates to -2, where a single-precision product would round to -3.
TEST(GradientBands, ProductOfStepAndBandIsNotRoundedToSingle)
{
    const auto bands = GradientBands(0x123456, 0x0000FF, 0, 4, 600);
    ASSERT_EQ(bands.size(), 600u);
    EXPECT_EQ(bands[100].colour, 0x102C72u);
    // Nested rectangles: trunc(25 x (24 / 100)) with the ratio in single precision is 5 (a product rounded
    // to single would give 6).
    const auto nested = GradientBands(0x123456, 0x0000FF, 8, 100, 24);
    EXPECT_EQ(nested[25].top, 5);
}

TEST(GradientBands, StyleOneAndThreeExchangeTheColours)
{
    const auto one = GradientBands(0x000000, 0x0000FF, 1, 4, 255);
    EXPECT_EQ(Red(one.front().colour), 255);
    EXPECT_EQ(Red(one.back().colour), 1); // 255 + trunc(254 * -1.0)
    const auto three = GradientBands(0x00FF0000, 0x00000000, 3, 3, 2);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(Blue(three[0].colour), 0);
    EXPECT_EQ(three[1].left, 1);
    EXPECT_EQ(three[1].bottom, 2);
    EXPECT_EQ(Blue(three[1].colour), 85);
}

TEST(GradientBands, StyleFourOnFivePixelsDrawsThreeNestedBands)
{
    const auto bands = GradientBands(0x000000, 0x0000FF, 4, 5, 2);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].left, 0);
    EXPECT_EQ(bands[0].right, 5);
    EXPECT_EQ(bands[1].left, 1);
    EXPECT_EQ(bands[1].right, 4);
    EXPECT_EQ(bands[2].left, 2);
    EXPECT_EQ(bands[2].right, 3);
    // d = 255 / 2.5 = 102; the middle column gets trunc(2 * 102).
    EXPECT_EQ(Red(bands[2].colour), 204);
}

TEST(GradientBands, StepsAreTruncatedTowardZeroPerChannel)
{
    // Green falls from 200 to 0 over 3 rows: d = -66.67; row 1 gets 200 - 66, row 2 200 - 133.
    const auto bands = GradientBands(0x00C800, 0x000000, 0, 1, 3);
    EXPECT_EQ(Green(bands[1].colour), 134);
    EXPECT_EQ(Green(bands[2].colour), 67);
}

TEST(GradientBands, OuterBandOfCentreStylesWrapsPastTheSecondColour)
{
    // Style 5 starts at t = n: with W = 5, n = 3 and d = 255 / 2.5 = 102 the outer band is trunc(306):
    // 306 wraps to 50 in eight bits.
    const auto bands = GradientBands(0x000000, 0x0000FF, 5, 5, 1);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(Red(bands[0].colour), 306 - 256);
    EXPECT_EQ(Red(bands[2].colour), 102);
}

TEST(GradientBands, NestedRectanglesFollowTheShorterSideRatio)
{
    // Wide target 10 x 4: n = 5, ratio 0.4, band i at (i, trunc(i * 0.4)).
    const auto bands = GradientBands(0x000000, 0xFFFFFF, 9, 10, 4);
    ASSERT_EQ(bands.size(), 5u);
    EXPECT_EQ(bands[3].left, 3);
    EXPECT_EQ(bands[3].top, 1);
    EXPECT_EQ(bands[3].right, 7);
    EXPECT_EQ(bands[3].bottom, 3);
    // Tall target 4 x 10: n = H / 2 = 5 (not (H + 1) / 2).
    const auto tall = GradientBands(0x000000, 0xFFFFFF, 8, 4, 11);
    EXPECT_EQ(tall.size(), 5u);
    EXPECT_EQ(tall[4].left, 1); // trunc(4 * 4/11)
    EXPECT_EQ(tall[4].top, 4);
}

TEST(GradientBands, EllipseStylesFillFirstThenDrawEllipses)
{
    const auto ten = GradientBands(0x0000FF, 0x00FF00, 10, 8, 6);
    ASSERT_FALSE(ten.empty());
    EXPECT_EQ(ten[0].shape, GradientShape::Fill);
    EXPECT_EQ(ten[0].colour, 0x00FF00u);
    EXPECT_EQ(ten[1].shape, GradientShape::Ellipse);
    const auto eleven = GradientBands(0x0000FF, 0x00FF00, 11, 8, 6);
    EXPECT_EQ(eleven[0].colour, 0x0000FFu);
    EXPECT_EQ(eleven[1].colour, 0x0000FFu); // t = 0: the first colour outside
}

TEST(GradientBands, UnknownStylesAndEmptyTargetsDrawNothing)
{
    EXPECT_TRUE(GradientBands(0, 0xFFFFFF, 12, 10, 10).empty());
    EXPECT_TRUE(GradientBands(0, 0xFFFFFF, -1, 10, 10).empty());
    EXPECT_TRUE(GradientBands(0, 0xFFFFFF, 0, 0, 10).empty());
    EXPECT_TRUE(GradientBands(0, 0xFFFFFF, 9, 10, -3).empty());
}

} // namespace

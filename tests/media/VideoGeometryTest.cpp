#include "media/VideoGeometry.h"

#include <gtest/gtest.h>

namespace {

struct PanelCase {
    const char* what;
    int videoW, videoH; // the device's rectangle from (0, 0)
    int32_t mode;
    bool random;
    Rect panel; // on a 1024 x 768 window, tick count 1000
};

class VideoPanelPlacement : public ::testing::TestWithParam<PanelCase> { };

TEST_P(VideoPanelPlacement, SizedByTheDisplayModeAndPlaced)
{
    const PanelCase& c = GetParam();
    EXPECT_EQ(VideoPanelRect(0, 0, c.videoW, c.videoH, 1024, 768, c.mode, c.random, 1000), c.panel) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, VideoPanelPlacement,
    ::testing::Values(
        PanelCase{"own size, centred", 640, 480, 0, false, Rect::FromSize(192, 144, 640, 480)},
        PanelCase{"larger than the window: cut per axis", 2000, 500, 0, false, Rect::FromSize(0, 134, 1024, 500)},
        PanelCase{"doubled, centred beyond the edges", 640, 480, 1, false, Rect::FromSize(-128, -96, 1280, 960)},
        PanelCase{"doubled beyond the window at random: at the edge", 640, 480, 1, true,
                  Rect::FromSize(0, 0, 1280, 960)},
        PanelCase{"a quarter of the width", 640, 480, 2, false, Rect::FromSize(384, 288, 256, 192)},
        PanelCase{"a quarter at random: tick modulo the room", 640, 480, 2, true, Rect::FromSize(232, 424, 256, 192)},
        PanelCase{"half the width", 640, 360, 3, false, Rect::FromSize(256, 240, 512, 288)},
        PanelCase{"width over the square root of two, truncated", 640, 480, 4, false,
                  Rect::FromSize(150, 112, 724, 543)},
        PanelCase{"the whole width", 640, 480, 5, false, Rect::FromSize(0, 0, 1024, 768)},
        PanelCase{"the whole width of a wide video", 1920, 1080, 5, false, Rect::FromSize(0, 96, 1024, 576)},
        PanelCase{"no height: square", 640, 0, 5, false, Rect::FromSize(0, -128, 1024, 1024)},
        PanelCase{"no width: square, never a division by zero", 0, 480, 3, false, Rect::FromSize(256, 128, 512, 512)},
        PanelCase{"a sound's rectangle (100, 100, 200, 200)", 100, 100, 0, false, Rect::FromSize(462, 334, 100, 100)},
        PanelCase{"an unknown mode keeps the size", 320, 240, 9, true, Rect::FromSize(296, 472, 320, 240)},
        PanelCase{"exactly the window at random", 1024, 768, 0, true, Rect::FromSize(0, 0, 1024, 768)}));

TEST(VideoPanelPlacement, DegenerateRectanglesGiveAnEmptyPanelInsteadOfNegativeOrHugeOnes)
{
    EXPECT_EQ(VideoPanelRect(100, 100, 0, 0, 800, 600, 0, false, 0), Rect::FromSize(400, 300, 0, 0));
    const Rect tall = VideoPanelRect(0, 0, 1, 2000000000, 800, 600, 5, false, 0);
    EXPECT_EQ(tall.Width(), 800);
    EXPECT_EQ(tall.Height(), 1 << 24) << "a huge aspect is cut, not overflowed";
}

} // namespace

#include <gtest/gtest.h>

#include "gfx/AlphaStretch.h"
#include "gfx/Picture.h"

namespace {

// A picture decoded with opacity: pixels 0xAARRGGBB with the colour already weighted.
Picture WithAlpha(int w, int h, std::vector<uint32_t> pixels)
{
    DecodedImage image;
    image.width = w;
    image.height = h;
    image.pixels = std::move(pixels);
    image.hasAlpha = true;
    Picture picture;
    picture.AssignDecoded(image);
    return picture;
}

} // namespace

TEST(AlphaStretch, OpacityBlendsOverTheTargetAndSurvivesTheStretch)
{
    // Opaque white, half-covering white (colour 0x80 already weighted) and a hole.
    Picture image = WithAlpha(3, 1, {0xFFFFFFFF, 0x80808080, 0x00000000});
    ASSERT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.GetPixel(1, 0), 0x808080u) << "pixels read over black";
    EXPECT_EQ(image.Alpha(), (std::vector<uint8_t>{255, 128, 0}));

    Picture target;
    target.CreateBlank(8, 2, 0x000040); // dark red (COLORREF)
    StretchOver(target, 1, 0, 3, 1, image, 3, 1);
    EXPECT_EQ(target.GetPixel(0, 0), 0x000040u);
    EXPECT_EQ(target.GetPixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(target.GetPixel(2, 0), 0x808080u + 0x20u); // 0x40 * 127 / 255 of the red stays
    EXPECT_EQ(target.GetPixel(3, 0), 0x000040u);

    // Stretched and clipped at either edge: holes leave the target, covering pixels replace it.
    Picture wide;
    wide.CreateBlank(4, 1, 0x000040);
    StretchOver(wide, -2, 0, 6, 1, WithAlpha(2, 1, {0, 0}), 2, 1);
    StretchOver(wide, 2, 0, 6, 1, WithAlpha(2, 1, {0xFFFFFFFF, 0xFFFFFFFF}), 2, 1);
    EXPECT_EQ(wide.GetPixel(1, 0), 0x000040u);
    EXPECT_EQ(wide.GetPixel(2, 0), 0xFFFFFFu);
    EXPECT_EQ(wide.GetPixel(3, 0), 0xFFFFFFu);

    // Freed and opaque pictures carry no opacity and cover what is beneath.
    image.Free();
    EXPECT_FALSE(image.HasAlpha());
    Picture opaque;
    opaque.CreateBlank(1, 1, 0x00FF00);
    StretchOver(target, 0, 1, 2, 1, opaque, 1, 1);
    EXPECT_EQ(target.GetPixel(1, 1), 0x00FF00u);
}

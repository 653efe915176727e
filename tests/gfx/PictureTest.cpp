#include <gtest/gtest.h>

#include "support/PictureTestUtil.h"

TEST(PictureLifecycle, EmptyPictureIsMinusOneByMinusOne)
{
    Picture p;
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_EQ(p.Width(), -1);
    EXPECT_EQ(p.Height(), -1);
    EXPECT_EQ(p.GetRect(), (Rect{0, 0, -1, -1}));
    EXPECT_EQ(p.GetPixel(0, 0), kInvalidColor);
}

TEST(PictureLifecycle, CreateBlankFillsWithTheColourAndFreeEmpties)
{
    Picture p;
    ASSERT_EQ(p.CreateBlank(3, 2, MakeColorref(0x11, 0x22, 0x33)), 1);
    EXPECT_EQ(p.GetRect(), (Rect{0, 0, 3, 2}));
    EXPECT_EQ(p.Row(1)[2], 0x112233u); // stored 0x00RRGGBB
    EXPECT_EQ(p.GetPixel(2, 1), MakeColorref(0x11, 0x22, 0x33));
    p.Free();
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_EQ(p.Width(), -1);
    p.Free(); // twice is harmless
}

TEST(PictureLifecycle, CreateBlankWithNonPositiveOrHugeSizeChangesNothing)
{
    Picture p;
    ASSERT_EQ(p.CreateBlank(2, 2, 0), 1);
    p.SetPixel(1, 1, MakeColorref(1, 2, 3));
    EXPECT_EQ(p.CreateBlank(0, 5, 0), 0);
    EXPECT_EQ(p.CreateBlank(5, -1, 0), 0);
    EXPECT_EQ(p.CreateBlank(1 << 20, 1 << 20, 0), 0); // refused, not attempted
    EXPECT_EQ(p.Width(), 2);
    EXPECT_EQ(p.GetPixel(1, 1), MakeColorref(1, 2, 3));
}

TEST(PictureLifecycle, DecodedImagesAreCheckedAndAlphaDropped)
{
    Picture p;
    DecodedImage bad;
    bad.width = 2;
    bad.height = 2;
    bad.pixels = {1, 2, 3}; // one short
    EXPECT_EQ(p.AssignDecoded(bad), 0);
    EXPECT_FALSE(p.IsLoaded());

    DecodedImage good;
    good.width = 2;
    good.height = 1;
    good.pixels = {0xFF123456, 0x00ABCDEF};
    EXPECT_EQ(p.AdoptDecoded(std::move(good)), 1);
    EXPECT_EQ(PixelsOf(p), (std::vector<uint32_t>{0x123456, 0xABCDEF}));
}

TEST(PictureLifecycle, MoveTransfersThePixels)
{
    Picture a = MakeNumbered(2, 2);
    Picture b(std::move(a));
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_EQ(a.Width(), -1);
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{1, 2, 17, 18}));
}

TEST(PictureState, StretchModeIsKeptAndUnknownModesRefused)
{
    Picture p;
    EXPECT_EQ(p.GetStretchBltMode(), kBlackOnWhite);
    EXPECT_EQ(p.SetStretchBltMode(kHalftone), kBlackOnWhite);
    EXPECT_EQ(p.SetStretchBltMode(9), 0);
    EXPECT_EQ(p.SetStretchBltMode(kColorOnColor), kHalftone);
}

TEST(PictureState, ColourConversionsSwapRedAndBlue)
{
    EXPECT_EQ(PixelFromColorref(MakeColorref(1, 2, 3)), 0x010203u);
    EXPECT_EQ(ColorrefFromPixel(0x010203), MakeColorref(1, 2, 3));
}

#include <gtest/gtest.h>

#include "slides/SlideGeometry.h"

namespace {

TEST(ComposeFitInside, KeepsAspectAndTruncates)
{
    EXPECT_EQ(FitInside(800, 600, 1024, 768), (SlideSize{1024, 768}));
    EXPECT_EQ(FitInside(600, 800, 1024, 768), (SlideSize{576, 768}));
    EXPECT_EQ(FitInside(1000, 500, 1024, 768), (SlideSize{1024, 512}));
    EXPECT_EQ(FitInside(100, 100, 1024, 768), (SlideSize{768, 768}));
    // 1/3 in single precision times 1000 lies just below 333.33: truncation gives 333, not 334.
    EXPECT_EQ(FitInside(3000, 1000, 1000, 1000), (SlideSize{1000, 333}));
    EXPECT_EQ(FitInside(1000, 3000, 1000, 1000), (SlideSize{333, 1000}));
}

// The quotient inside the product is a double: rounded to single, these sizes came out a pixel short and
// left a column of background beside the picture.
TEST(ComposeFitInside, QuotientsInDoubleGiveTheFullSize)
{
    EXPECT_EQ(FitInside(1000, 1200, 1024, 768), (SlideSize{640, 768}));
    EXPECT_EQ(FitInside(700, 600, 1024, 768), (SlideSize{896, 768}));
    EXPECT_EQ(FitInside(500, 1200, 1024, 768), (SlideSize{320, 768}));
    EXPECT_EQ(FitInside(700, 500, 1920, 1080), (SlideSize{1512, 1080}));
    EXPECT_EQ(FitInside(500, 300, 1920, 1080), (SlideSize{1800, 1080}));
}

TEST(ComposeFitInside, SecondTestCatchesSizesThatOvershoot)
{
    // rf < ri, but the height from the width still comes out taller than the frame only through rounding
    // of the ratios; the result never leaves the frame.
    for (int iw = 1; iw < 60; ++iw)
        for (int ih = 1; ih < 60; ++ih) {
            const SlideSize s = FitInside(iw, ih, 37, 23);
            EXPECT_LE(s.width, 37);
            EXPECT_LE(s.height, 23);
        }
}

TEST(ComposeScale, ModeZeroKeepsSmallImagesAndShrinksLargeOnes)
{
    const SlideScale small = ScaleSlide(0, 200, 100, 1024, 768);
    EXPECT_EQ(small.destW, 200);
    EXPECT_EQ(small.destH, 100);
    EXPECT_EQ(CentredOffset(1024, small.destW), 412);
    EXPECT_EQ(CentredOffset(768, small.destH), 334);
    const SlideScale tall = ScaleSlide(0, 600, 1600, 1024, 768);
    EXPECT_EQ(tall.destW, 288);
    EXPECT_EQ(tall.destH, 768);
    EXPECT_EQ(tall.srcW, 600);
    EXPECT_EQ(tall.srcH, 1600);
}

TEST(ComposeScale, ModeOneEnlarges)
{
    const SlideScale s = ScaleSlide(1, 100, 100, 1024, 768);
    EXPECT_EQ(s.destW, 768);
    EXPECT_EQ(s.destH, 768);
    EXPECT_EQ(CentredOffset(1024, s.destW), 128);
    EXPECT_EQ(CentredOffset(768, s.destH), 0);
}

TEST(ComposeScale, ModeTwoCropsToFrameAspectOrUsesFitSizeAsSource)
{
    const SlideScale crop = ScaleSlide(2, 400, 300, 1000, 800);
    EXPECT_EQ(crop.srcW, 375);
    EXPECT_EQ(crop.srcH, 300);
    EXPECT_EQ(crop.destW, 1000);
    EXPECT_EQ(crop.destH, 800);
    const SlideScale large = ScaleSlide(2, 2000, 1000, 1000, 800);
    EXPECT_EQ(large.srcW, 1000);
    EXPECT_EQ(large.srcH, 500);
    EXPECT_EQ(large.destW, 1000);
    EXPECT_EQ(large.destH, 800);
    // Portrait images crop by width.
    EXPECT_EQ(CropToFrameAspect(300, 400, 1000, 800), (SlideSize{300, 240}));
}

// A picture smaller than a frame of another aspect would be asked for more than it has; the source spans
// the picture along that side instead and keeps the frame's aspect.
TEST(ComposeScale, ModeTwoSourceStaysInsideASmallPicture)
{
    EXPECT_EQ(CropToFrameAspect(640, 480, 1280, 720), (SlideSize{640, 360}));
    EXPECT_EQ(CropToFrameAspect(300, 400, 800, 1000), (SlideSize{300, 375}));
    EXPECT_EQ(CropToFrameAspect(300, 300, 400, 1000), (SlideSize{120, 300}));
    const SlideScale small = ScaleSlide(2, 640, 480, 1280, 720);
    EXPECT_EQ(small.srcW, 640);
    EXPECT_EQ(small.srcH, 360);
    EXPECT_EQ(small.destW, 1280);
    EXPECT_EQ(small.destH, 720);
}

TEST(ComposeScale, ModeThreeStretchesAndOthersKeepTheImageSize)
{
    const SlideScale s = ScaleSlide(3, 10, 2000, 640, 480);
    EXPECT_EQ(s.destW, 640);
    EXPECT_EQ(s.destH, 480);
    EXPECT_EQ(s.srcW, 10);
    EXPECT_EQ(s.srcH, 2000);
    for (int mode : {4, -1, 99}) {
        const SlideScale o = ScaleSlide(mode, 2000, 10, 640, 480);
        EXPECT_EQ(o.destW, 2000);
        EXPECT_EQ(o.destH, 10);
    }
}

TEST(ComposeScale, ImageThatDidNotLoadNeverDividesByZero)
{
    for (int mode = 0; mode < 5; ++mode) {
        const SlideScale s = ScaleSlide(mode, -1, -1, 640, 480);
        (void)s;
    }
    EXPECT_EQ(FitInside(0, 10, 640, 480), (SlideSize{0, 0}));
    EXPECT_EQ(FitInside(10, 10, 0, 0), (SlideSize{0, 0}));
}

TEST(ComposeOffset, RandomPositionStaysInsideAndIsZeroWithoutRoom)
{
    EXPECT_EQ(RandomOffset(1024, 1024, 12345), 0);
    EXPECT_EQ(RandomOffset(1024, 1100, 12345), 0);
    EXPECT_EQ(RandomOffset(1024, 1000, 12345), 12345 % 24);
    EXPECT_EQ(CentredOffset(5, 2), 1);
    EXPECT_EQ(CentredOffset(100, 103), -1); // truncates toward zero
}

TEST(ComposeTextPlace, PositionCodes)
{
    EXPECT_EQ(PlaceText(2, 1024, 768, 100, 30, 0, 0), (TextPoint{904, 0}));
    EXPECT_EQ(PlaceText(0, 1024, 768, 101, 30, 0, 0), (TextPoint{461, 0}));
    EXPECT_EQ(PlaceText(3, 1024, 768, 100, 30, 0, 0), (TextPoint{462, 738}));
    EXPECT_EQ(PlaceText(5, 1024, 768, 100, 30, 0, 0), (TextPoint{904, 738}));
    EXPECT_EQ(PlaceText(6, 1024, 768, 100, 31, 0, 0), (TextPoint{462, 368}));
    EXPECT_EQ(PlaceText(8, 1024, 768, 100, 30, 0, 0), (TextPoint{904, 369}));
    EXPECT_EQ(PlaceText(9, 1024, 768, 100, 30, -7, 5000), (TextPoint{-7, 5000}));
    // Far off the picture either way, with room left for the text's extent.
    EXPECT_EQ(PlaceText(9, 1024, 768, 100, 30, 2147483647, -2147483647 - 1), (TextPoint{1 << 28, -(1 << 28)}));
    EXPECT_EQ(PlaceText(10, 1024, 768, 100, 30, 7, 7), (TextPoint{0, 0}));
    EXPECT_EQ(PlaceText(-1, 1024, 768, 100, 30, 7, 7), (TextPoint{0, 0}));
}

} // namespace

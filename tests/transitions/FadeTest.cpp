// The fades, frame by frame against the reference blend.
#include <gtest/gtest.h>

#include "EffectHarness.h"
#include "gfx/Blend.h"

namespace {

constexpr int kFade = 161, kThroughBlack = 162;
constexpr int kUnits = 1250; // a whole fade's progress; each frame advances by the step

const Size kWindow{41, 29};
const Size kSlide{23, 17};
const Point kAt{9, 5};

// The canvas of one frame: outside the slide the background, inside every pixel the reference blend of
// `from` and `to` (the background under the slide, the slide, or black) by the weight.
enum class Layer { Background, Slide, Black };
testing::AssertionResult FrameIs(const DecodedImage& shot, Layer from, Layer to, int weight)
{
    auto pixel = [&](Layer layer, int x, int y) {
        return layer == Layer::Background ? EffectTrace::BackgroundPixel(kAt.x + x, kAt.y + y)
            : layer == Layer::Slide       ? EffectTrace::SlidePixel(x, y)
                                          : 0u;
    };
    for (int y = 0; y < kWindow.cy; ++y)
        for (int x = 0; x < kWindow.cx; ++x) {
            const uint32_t got = shot.pixels[size_t(y) * shot.width + x];
            const int sx = x - kAt.x, sy = y - kAt.y;
            uint32_t want = EffectTrace::BackgroundPixel(x, y);
            if (sx >= 0 && sy >= 0 && sx < kSlide.cx && sy < kSlide.cy) {
                const uint32_t a = pixel(from, sx, sy), b = pixel(to, sx, sy);
                BlendPixelsReference(&want, &a, &b, 1, weight);
            }
            if (got != want)
                return testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << got << ", not "
                                                   << want << std::dec << " (weight " << weight << ")";
        }
    return testing::AssertionSuccess();
}

} // namespace

// Step 5: frame k blends at weight 5 (k + 1) * 256 / 1250, through 25 % (64) and 50 % (128) on the way;
// the background is 0 % and the closing copy 100 %.
TEST(Fade, EveryFrameIsTheReferenceBlendOfItsWeight)
{
    EffectTrace t(kWindow, kSlide, kAt);
    t.Run(kFade, 5, -1, true);
    ASSERT_EQ(t.result.frames, kUnits / 5 - 1);
    EXPECT_TRUE(t.result.completed);
    bool quarter = false, half = false;
    for (size_t k = 0; k < t.canvases.size(); ++k) {
        const int weight = int(5 * (k + 1) * 256 / kUnits);
        quarter |= weight == 64;
        half |= weight == 128;
        ASSERT_TRUE(FrameIs(t.canvases[k], Layer::Background, Layer::Slide, weight)) << "frame " << k;
        EXPECT_EQ(t.frames[k].delayMs, 20u);
    }
    EXPECT_TRUE(quarter && half);
    EXPECT_TRUE(t.SlideWhole());
    EXPECT_TRUE(t.BackgroundOutsideUntouched());

    // The stored speed 25: about one second.
    EffectTrace speed25(kWindow, kSlide, kAt);
    speed25.Run(kFade, 25);
    EXPECT_EQ(speed25.result.nominalMs, 49u * 20u);
}

// Through black: the first half darkens what was there to black (frame 4 is all black), the second brings
// the slide up from it.
TEST(Fade, ThroughBlackDarkensFirstThenBringsTheSlideUp)
{
    EffectTrace t(kWindow, kSlide, kAt);
    t.Run(kThroughBlack, 125, -1, true);
    ASSERT_EQ(t.canvases.size(), 9u);
    for (size_t k = 0; k < t.canvases.size(); ++k) {
        const int progress = int(125 * (k + 1));
        if (progress < kUnits / 2)
            ASSERT_TRUE(FrameIs(t.canvases[k], Layer::Background, Layer::Black, progress * 256 / 625));
        else
            ASSERT_TRUE(FrameIs(t.canvases[k], Layer::Black, Layer::Slide, (progress - 625) * 256 / 625));
    }
    EXPECT_TRUE(t.SlideWhole());
}

// A stop mid-fade ends after the frame that saw it, with the whole slide (as the effects that close with it
// do), and tells the caller it did not run to its end.
TEST(Fade, StopMidFadeEndsWithTheSlide)
{
    for (int index : {kFade, kThroughBlack}) {
        EffectTrace t(kWindow, kSlide, kAt);
        t.Run(index, 25, 20, true);
        EXPECT_EQ(t.result.frames, 22) << index;
        EXPECT_FALSE(t.result.completed);
        EXPECT_TRUE(t.SlideWhole());
        EXPECT_TRUE(t.BackgroundOutsideUntouched());
        EXPECT_EQ(t.framesNotShown, 0);
    }
}

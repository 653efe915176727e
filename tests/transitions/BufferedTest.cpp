// Envelop, increase show, multi-box, rain, rolls, combs and stretches: what each composed frame shows.
#include <gtest/gtest.h>

#include <climits>

#include "EffectHarness.h"

namespace {

constexpr int kEnvelop = 23, kIncreaseShow = 47, kMultiBoxIn = 89, kMultiBoxOut = 90;
constexpr int kRainDown = 95, kRainLeft = 96, kRainRight = 97, kRainUp = 98;
constexpr int kRollDown = 100, kRollLeft = 101, kRollRight = 102, kRollUp = 103;
constexpr int kCombColumns = 116, kCombRows = 117;
constexpr int kStretchBottomLeft = 121, kStretchBottomRight = 122, kStretchRight = 125;
constexpr int kStretchTopLeft = 127, kStretchTopRight = 128;

bool IsSlideColour(uint32_t pixel)
{
    return pixel & 0x00800000; // slide pixels, and any average of them, have the top bit of red
}

// The rectangle (slide coordinates) holding every pixel of slide colour in a frame.
Rect SlideColoured(const EffectTrace& t, const DecodedImage& shot)
{
    Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < t.slide.Height(); ++y)
        for (int x = 0; x < t.slide.Width(); ++x)
            if (IsSlideColour(shot.pixels[size_t(t.at.y + y) * shot.width + t.at.x + x]))
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box.left == INT_MAX ? Rect{} : box;
}

} // namespace

TEST(Buffered, EnvelopClosesInAroundAHoleOfBackground)
{
    EffectTrace t({10, 8}, {6, 4}, {2, 2});
    t.Run(kEnvelop, 10, -1, true);
    ASSERT_EQ(t.result.frames, 2); // min(w, h) / 2
    EXPECT_EQ(t.Mask(t.canvases[0]), "......\n......\n......\n......\n");
    EXPECT_EQ(t.Mask(t.canvases[1]), "######\n##..##\n##..##\n######\n");
    EXPECT_TRUE(t.SlideWhole());
}

TEST(Buffered, IncreaseShowRunsAHundredFramesOfSmallBlocksThenCopiesTheRest)
{
    EffectTrace t({80, 70}, {61, 53}, {9, 8});
    t.Run(kIncreaseShow, 10, -1, true);
    ASSERT_EQ(t.result.frames, 100);
    for (const DecodedImage& shot : t.canvases)
        EXPECT_EQ(t.Mask(shot).find('?'), std::string::npos) << "a block copied away from its place";
    // A hundred random 3 x 3 blocks per 10 x 10 cell leave some of each cell uncovered.
    EXPECT_NE(t.Mask(t.canvases.back()).find('.'), std::string::npos);
    EXPECT_NE(t.Mask(t.canvases[0]).find('#'), std::string::npos);
    EXPECT_TRUE(t.SlideWhole());
}

TEST(Buffered, MultiBoxRunsOneFramePerHalfWidth)
{
    for (int index : {kMultiBoxIn, kMultiBoxOut}) {
        EffectTrace t({70, 50}, {60, 40}, {5, 5});
        t.Run(index, 10, -1, true);
        EXPECT_EQ(t.result.frames, (60 + 20) / 20) << index;
        EXPECT_EQ(t.result.stepAfter, 10);
        // From the centre the first boxes are points; to the centre they are whole boxes of background.
        const std::string first = t.Mask(t.canvases[0]);
        EXPECT_EQ(first.find('#') != std::string::npos, index == kMultiBoxOut);
        EXPECT_EQ(first.find('?'), std::string::npos);
    }
}

// Every member copies the whole slide after its loop, a stopped one too.
class EveryBuffered : public ::testing::TestWithParam<int> { };

TEST_P(EveryBuffered, AStopStillEndsWithTheWholeSlide)
{
    for (int stopAfter : {0, 2}) {
        EffectTrace t({50, 44}, {41, 33}, {4, 6});
        t.Run(GetParam(), 3, stopAfter);
        EXPECT_FALSE(t.result.completed);
        EXPECT_TRUE(t.SlideWhole()) << "stopped after frame " << stopAfter;
        EXPECT_TRUE(t.BackgroundOutsideUntouched());
    }
}

INSTANTIATE_TEST_SUITE_P(Index, EveryBuffered,
                         ::testing::Values(kEnvelop, kIncreaseShow, kMultiBoxIn, kMultiBoxOut, kRainDown, kRainLeft,
                                           kRainRight, kRainUp, kRollDown, kRollLeft, kRollRight, kRollUp, kCombColumns,
                                           kCombRows, 120, 121, 122, 123, 124, 125, 126, 127, 128));

struct RainCase {
    int index;
    int frames; // step 10 on a 100 x 100 slide
    int modeDuringRun;
};

class Rain : public ::testing::TestWithParam<RainCase> { };

TEST_P(Rain, RunsItsFramesAndOnlyRainDownStretchesInHalftone)
{
    const RainCase& c = GetParam();
    EffectTrace t({110, 104}, {100, 100}, {6, 3});
    t.canvas.SetStretchBltMode(kColorOnColor);
    std::vector<int> modes;
    EffectRunOptions options;
    options.index = c.index;
    options.at = t.at;
    options.step = 10;
    const EffectRunResult result =
        RunEffect(t.canvas, t.background, t.slide, options,
                  [&](const Picture& canvas, const EffectFrame&) { modes.push_back(canvas.GetStretchBltMode()); });
    EXPECT_EQ(result.frames, c.frames);
    EXPECT_EQ(modes, std::vector<int>(size_t(c.frames), c.modeDuringRun));
    EXPECT_EQ(t.canvas.GetStretchBltMode(), kColorOnColor);
    EXPECT_TRUE(t.SlideWhole());
}

INSTANTIATE_TEST_SUITE_P(Members, Rain,
                         ::testing::Values(RainCase{kRainDown, 10, kHalftone}, RainCase{kRainUp, 9, kColorOnColor},
                                           RainCase{kRainRight, 10, kColorOnColor},
                                           RainCase{kRainLeft, 9, kColorOnColor}));

TEST(Buffered, RainWithAStepBeyondTheSlideStretchesTheSlideOntoItself)
{
    EffectTrace t({40, 30}, {31, 23}, {3, 4});
    t.Run(kRainDown, INT_MAX, -1, true);
    ASSERT_EQ(t.result.frames, 1);
    EXPECT_EQ(t.Mask(t.canvases[0]).find_first_not_of("#\n"), std::string::npos);
}

TEST(Buffered, RollDownShowsTheMirroredLinesBeyondTheRollAndBackgroundPastTheSlide)
{
    constexpr int w = 5, h = 70;
    EffectTrace t({w + 4, h + 4}, {w, h}, {2, 2});
    t.Run(kRollDown, 10, -1, true);
    ASSERT_EQ(t.result.frames, h);
    EXPECT_EQ(t.result.stepAfter, 10);
    for (int i : {0, 1, 25, 39, 55, h - 1}) {
        const std::string mask = t.Mask(t.canvases[size_t(i)]);
        const int e = std::min(h, i + 30);
        for (int y = 0; y < h; ++y) {
            const std::string row = mask.substr(size_t(y) * (w + 1), w);
            char want = '.';
            if (y < i)
                want = '#';
            else if (y < e && e + 29 - (y - i) < h)
                want = '?'; // a slide line from further down, mirrored
            EXPECT_EQ(row, std::string(w, want)) << "frame " << i << " row " << y;
        }
        if (i > 0 && i < h - 1) {
            // Line i shows slide line e + 29: check it is that one.
            const int source = e + 29;
            if (source < h) {
                EXPECT_EQ(t.canvases[size_t(i)].pixels[size_t(t.at.y + i) * t.canvases[size_t(i)].width + t.at.x],
                          EffectTrace::SlidePixel(0, source));
            }
        }
    }
}

TEST(Buffered, EveryRollRevealsOneLineAFrameFromItsEdge)
{
    constexpr int w = 37, h = 23;
    for (int index : {kRollDown, kRollUp, kRollRight, kRollLeft}) {
        EffectTrace t({w + 6, h + 6}, {w, h}, {3, 3});
        t.Run(index, 10, -1, true);
        const bool columns = index == kRollRight || index == kRollLeft;
        ASSERT_EQ(t.result.frames, columns ? w : h) << index;
        const int i = (columns ? w : h) / 2;
        const std::string mask = t.Mask(t.canvases[size_t(i)]);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int line = index == kRollDown ? y
                    : index == kRollUp              ? h - 1 - y
                    : index == kRollRight           ? x
                                                    : w - 1 - x;
                EXPECT_EQ(mask[size_t(y) * (w + 1) + x] == '#', line < i) << index << " at " << x << "," << y;
            }
    }
}

TEST(Buffered, CombColumnsMeetInPlaceInTheirLastFrame)
{
    EffectTrace t({30, 12}, {21, 7}, {4, 2});
    t.Run(kCombColumns, 10, -1, true);
    ASSERT_EQ(t.result.frames, 21 / 2 + 2);
    EXPECT_EQ(t.result.stepAfter, 10);
    EXPECT_EQ(t.Mask(t.canvases.back()).find_first_not_of("#\n"), std::string::npos);
    // Both columns of the first pair start beyond the slide; a frame later the even one has come in at the left.
    EXPECT_EQ(t.Mask(t.canvases[0]).find_first_not_of(".\n"), std::string::npos);
    EXPECT_EQ(t.Mask(t.canvases[1]).substr(0, 22), "?....................\n");
}

TEST(Buffered, CombRowsMoveTwoPairsMoreEachFrame)
{
    EffectTrace t({12, 14}, {5, 10}, {3, 2});
    t.Run(kCombRows, 10, -1, true);
    EXPECT_EQ(t.result.frames, 4); // pairs 1, 3, 5, 7 while h / 2 + 1 >= pairs - 1
    EXPECT_TRUE(t.SlideWhole());
}

struct StretchShape {
    Size slide;
    int step;
};

class CornerStretch : public ::testing::TestWithParam<std::tuple<int, StretchShape>> { };

// Anchored in its corner, the longer side grows by the step and the other in proportion; every frame is shown,
// portrait or landscape.
TEST_P(CornerStretch, GrowsFromItsCornerFrameByFrame)
{
    const auto [index, shape] = GetParam();
    const int w = shape.slide.cx, h = shape.slide.cy;
    EffectTrace t({w + 10, h + 8}, shape.slide, {4, 5});
    t.Run(index, shape.step, -1, true);
    const int side = h < w ? h : w;
    ASSERT_EQ(t.result.frames, (side + shape.step - 1) / shape.step);
    const bool right = index == kStretchTopRight || index == kStretchBottomRight;
    const bool bottom = index == kStretchBottomLeft || index == kStretchBottomRight;
    for (int k = 0; k < t.result.frames; ++k) {
        const int grown = k * shape.step;
        const int u = h < w ? w * grown / h : grown, v = h < w ? grown : grown * h / w;
        Rect want{right ? w - u : 0, bottom ? h - v : 0, right ? w : u, bottom ? h : v};
        if (want.IsEmpty())
            want = Rect{};
        EXPECT_EQ(SlideColoured(t, t.canvases[size_t(k)]), want) << "frame " << k;
    }
    EXPECT_TRUE(t.SlideWhole());
}

INSTANTIATE_TEST_SUITE_P(Corners, CornerStretch,
                         ::testing::Combine(::testing::Values(kStretchBottomLeft, kStretchBottomRight, kStretchTopLeft,
                                                              kStretchTopRight),
                                            ::testing::Values(StretchShape{{23, 37}, 5}, StretchShape{{41, 19}, 4})));

TEST(Buffered, StretchFromRightGrowsTwoPixelsAFrameWhateverTheStep)
{
    for (int step : {1, 10, INT_MAX}) {
        EffectTrace t({30, 20}, {21, 13}, {4, 3});
        t.Run(kStretchRight, step, -1, true);
        EXPECT_EQ(t.result.frames, 11) << step; // x = 21, 19, ..., 1
        EXPECT_EQ(SlideColoured(t, t.canvases[3]), (Rect{15, 0, 21, 13})) << step;
        EXPECT_EQ(t.result.stepAfter, step);
    }
}

// Lines, scans, shutters, corners, sweeps, two bars and zig-zags: the order they draw in, their frame
// counts, and how they end when stopped.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "EffectHarness.h"
#include "transitions/EffectNames.h"

namespace {

const Point kAt{3, 2};

EffectTrace Traced(int index, Size slide, int step = 7, int stopAfter = -1)
{
    EffectTrace t({slide.cx + 7, slide.cy + 5}, slide, kAt);
    t.Run(index, step, stopAfter, true);
    return t;
}

uint32_t ShownAt(const DecodedImage& shot, int x, int y)
{
    return shot.pixels[size_t(kAt.y + y) * shot.width + kAt.x + x];
}

// For every frame, the first row (column) it completed, or -1 when it completed none.
std::vector<int> FirstNewLines(const EffectTrace& t, bool columns)
{
    const int lines = columns ? t.slide.Width() : t.slide.Height();
    const int length = columns ? t.slide.Height() : t.slide.Width();
    std::vector<bool> shown(lines);
    std::vector<int> result;
    for (const DecodedImage& shot : t.canvases) {
        result.push_back(-1);
        for (int i = 0; i < lines; ++i) {
            bool whole = true;
            for (int j = 0; j < length && whole; ++j) {
                const int x = columns ? i : j;
                const int y = columns ? j : i;
                whole = ShownAt(shot, x, y) == EffectTrace::SlidePixel(x, y);
            }
            if (whole && !shown[i] && result.back() < 0)
                result.back() = i;
            shown[i] = shown[i] || whole;
        }
    }
    return result;
}

TEST(LineScanBarTest, LinesAndScansCompleteTheirLinesInOrder)
{
    struct {
        int index;
        Size slide;
        bool columns;
        std::vector<int> firstLines;
        int stopAfter = -1;
    } const cases[] = {
        // 2-pixel lines; a line starting at the far edge is an empty frame.
        {48, {5, 10}, false, {0, 4, 8, 2, 6, -1}},    // Line down
        {49, {5, 10}, false, {0, 4, 8, 6, 2}},        // Line down rebound
        {54, {5, 10}, false, {8, 4, 0, 6, 2}},        // Line up
        {55, {5, 11}, false, {9, 5, 1, 0, 3, 7, -1}}, // Line up rebound, from -1 on 4k + 3
        // Odd sizes leave column 0 (Scan left: column w - 1) to the copy that closes a finished run.
        {50, {9, 3}, true, {7, 3, 5, 1}},           // Line left
        {51, {9, 3}, true, {7, 3, 1, 5, -1}},       // Line left rebound
        {105, {6, 3}, true, {4, 3, 2, 1, 0, -1}},   // Scan left: 1-pixel columns
        {104, {5, 10}, false, {0, 2, 4, 6, 8, -1}}, // Scan down: six strips
        {111, {5, 7}, false, {5, 3, 1, 0}},         // Scan up
        {107, {5, 10}, false, {0, 2, 4, -1}},       // Scan to center
        {109, {5, 10}, false, {4, 2, 0}},           // Scan to edge, from m = 6
        {48, {5, 20}, false, {0, 4, 2}, 0},         // stopped: one line of the second pass
        {54, {5, 20}, false, {18, 14, 16}, 0},      // (the flag is seen at the end of frame 1)
        // Sweep down: nothing while o + 20 < 0, then the pattern; each frame closes the gap behind its edge.
        {129, {4, 100}, false, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                -1, -1, -1, -1, -1, -1, 0,  19, 39, 59, 79, 99}},
    };
    for (const auto& c : cases) {
        const EffectTrace t = Traced(c.index, c.slide, 7, c.stopAfter);
        EXPECT_EQ(FirstNewLines(t, c.columns), c.firstLines)
            << EffectName(c.index) << " " << c.slide.cx << "x" << c.slide.cy;
    }
}

TEST(LineScanBarTest, RunsItsNumberOfFramesWhateverTheStep)
{
    struct {
        int index;
        Size slide;
        int frames;
    } const cases[] = {
        {56, {4, 10}, 6},     // Lines(Horizontal): 0 to h / 2
        {57, {11, 4}, 6},     // Lines(Vertical)
        {99, {11, 4}, 6},     // Random crossLines
        {58, {7, 5}, 400},    // Mosaic, cells of 1 pixel
        {58, {61, 45}, 400},  // Mosaic
        {157, {7, 5}, 400},   // Zig-zag down
        {132, {30, 100}, 46}, // Sweep up: from h + 400 to -400
        {131, {100, 30}, 25}, // Sweep right
        {118, {12, 25}, 8},   // Shutter(Horizontal): s <= w + 2
        {119, {25, 12}, 7},   // Shutter(Vertical): s <= h
        {112, {30, 10}, 5},   // Show from bottom-left: b < h
        {115, {10, 30}, 5},   // Show from top-right: a < w
        {133, {9, 10}, 6},    // two bars: p to h, by 2
        {140, {11, 9}, 7},    // p to w + 1, cut to w
    };
    for (const auto& c : cases) {
        for (int step : {1, 50})
            EXPECT_EQ(Traced(c.index, c.slide, step).result.frames, c.frames)
                << EffectName(c.index) << " step " << step;
    }
}

TEST(LineScanBarTest, ShuttersAndCornersDrawExactlyTheseFrames)
{
    struct {
        int index;
        Size slide;
        int frame;
        const char* mask;
    } const cases[] = {
        // Under 10 pixels high: one band wiping from the left.
        {118, {8, 3}, 1, "####....\n####....\n####....\n"},
        // Two bands of 11 columns; the right one wipes up from its first frame on.
        {119, {20, 4}, 0, "###########.........\n###########.........\n...........#########\n...........#########\n"},
        // The rectangle keeps the slide's proportions: b = 2, a = 9 * 2 / 4; then a = 2, b = 2 * 6 / 4.
        {115, {9, 4}, 1, ".....####\n.....####\n.........\n.........\n"},
        {112, {4, 6}, 1, "....\n....\n....\n##..\n##..\n##..\n"},
    };
    for (const auto& c : cases) {
        const EffectTrace t = Traced(c.index, c.slide);
        ASSERT_GT(t.canvases.size(), size_t(c.frame));
        EXPECT_EQ(t.Mask(t.canvases[c.frame]), c.mask) << EffectName(c.index);
    }
}

TEST(LineScanBarTest, MovingBarsBringInTheFarEdgeOfTheirHalfAndEndWithTheWholeSlide)
{
    const Size slide{12, 9};
    const EffectTrace left = Traced(137, slide); // Two bar move left: halves above and below g = 5
    ASSERT_EQ(left.canvases.size(), 7u);
    for (int y = 0; y < slide.cy; ++y) {
        for (int x = 0; x < 4; ++x) { // p = 4
            if (y < 5)
                EXPECT_EQ(ShownAt(left.canvases[2], slide.cx - 4 + x, y), EffectTrace::SlidePixel(x, y));
            else
                EXPECT_EQ(ShownAt(left.canvases[2], x, y), EffectTrace::SlidePixel(slide.cx - 4 + x, y));
        }
    }
    // At p = w both halves are in place: the last frame shows the whole slide by itself.
    EXPECT_EQ(left.Mask(left.canvases.back()).find_first_not_of("#\n"), std::string::npos);

    const EffectTrace down = Traced(133, slide); // Tow bar move down: left half from the top, p = 2
    EXPECT_EQ(ShownAt(down.canvases[1], 0, 1), EffectTrace::SlidePixel(0, slide.cy - 1));
    EXPECT_EQ(ShownAt(down.canvases[1], slide.cx - 1, slide.cy - 2), EffectTrace::SlidePixel(slide.cx - 1, 0));
}

TEST(LineScanBarTest, WindowBlindsAddEveryTwentiethLineAFrameInTheirOrder)
{
    // Down and up (rows), left and right (columns; the right one starts at the slide's left edge).
    struct Blind {
        int index;
        bool columns;
        bool backward;
    };
    for (const Blind b :
         {Blind{145, false, false}, Blind{146, true, true}, Blind{147, true, false}, Blind{148, false, true}}) {
        const EffectTrace t = Traced(b.index, {47, 43});
        ASSERT_EQ(t.canvases.size(), 20u) << b.index;
        for (int n = 0; n < 20; ++n) {
            const int lastOffset = b.backward ? 19 - n : n;
            bool right = true;
            for (int y = 0; y < 43 && right; ++y)
                for (int x = 0; x < 47 && right; ++x) {
                    const int offset = (b.columns ? x : y) % 20;
                    const bool shown = b.backward ? offset >= lastOffset : offset <= lastOffset;
                    const uint32_t expected =
                        shown ? EffectTrace::SlidePixel(x, y) : EffectTrace::BackgroundPixel(kAt.x + x, kAt.y + y);
                    right = ShownAt(t.canvases[size_t(n)], x, y) == expected;
                }
            EXPECT_TRUE(right) << b.index << " frame " << n;
        }
        EXPECT_EQ(t.framesNotShown, 0) << b.index;
    }
}

TEST(LineScanBarTest, ZigZagsFollowTheirSnake)
{
    // The second cell, the first of the second row (column) and the last, on a 59 x 59 slide: cells of 3
    // pixels on a 60-pixel grid, so the last row and column are cut to 2.
    const struct {
        int index;
        Rect second, twentyFirst, last;
    } cases[] = {
        {157, {3, 0, 6, 3}, {57, 3, 59, 6}, {0, 57, 3, 59}},
        {160, {3, 57, 6, 59}, {57, 54, 59, 57}, {0, 0, 3, 3}},
        {159, {0, 3, 3, 6}, {3, 57, 6, 59}, {57, 0, 59, 3}},
        {158, {57, 3, 59, 6}, {54, 57, 57, 59}, {0, 0, 3, 3}},
    };
    for (const auto& c : cases) {
        EffectTrace t({66, 64}, {59, 59}, kAt);
        t.Run(c.index);
        ASSERT_EQ(t.frames.size(), 400u);
        auto cell = [&](int f) { return t.frames[f].presented.back().Offset(-kAt.x, -kAt.y); };
        EXPECT_EQ(cell(1), c.second) << EffectName(c.index);
        EXPECT_EQ(cell(20), c.twentyFirst) << EffectName(c.index);
        EXPECT_EQ(cell(399), c.last) << EffectName(c.index);
    }
}

// Which members close with the whole slide when stopped, and which leave the frame they had drawn.
class StoppedTest : public ::testing::TestWithParam<int> { };

TEST_P(StoppedTest, ClosesWithTheWholeSlideOnlyWhereItAlwaysDoes)
{
    const std::set<int> closing{107, 108, 109, 110, 111, 112, 113, 114, 115, 118,
                                119, 129, 130, 131, 132, 157, 158, 159, 160};
    EffectTrace t({48, 32}, {41, 27}, kAt);
    t.Run(GetParam(), 4, 1);
    EXPECT_FALSE(t.result.completed);
    EXPECT_EQ(t.SlideWhole(), closing.count(GetParam()) == 1) << EffectName(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Index, StoppedTest,
                         ::testing::Values(48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 99, 104, 105, 106, 107, 108, 109,
                                           110, 111, 112, 113, 114, 115, 118, 119, 129, 130, 131, 132, 133, 134, 135,
                                           136, 137, 138, 139, 140, 157, 158, 159, 160));

} // namespace

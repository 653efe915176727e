// Ragged bands, block spirals, Center(Diffuse) and the checkerboards, frame by frame.
#include <gtest/gtest.h>

#include <string>

#include "EffectHarness.h"

namespace {

// One slide in a window with a margin, every frame's canvas kept.
struct Reveal {
    Reveal(int index, Size slide, int step = 10, int stopAfter = -1)
        : trace({slide.cx + 6, slide.cy + 4}, slide, {3, 2}), width(slide.cx)
    {
        trace.Run(index, step, stopAfter, true);
        for (const DecodedImage& shot : trace.canvases)
            masks.push_back(trace.Mask(shot));
    }
    // '#' where frame n shows the slide in place, '.' the background.
    char At(int frame, int x, int y) const { return masks[size_t(frame)][size_t(y) * (width + 1) + x]; }
    int Frames() const { return static_cast<int>(masks.size()); }
    // Slide pixels shown at the end of frame n inside r.
    int Shown(int frame, const Rect& r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(frame, x, y) == '#';
        return n;
    }
    bool WholeAt(int frame) const { return masks[size_t(frame)].find_first_not_of("#\n") == std::string::npos; }

    EffectTrace trace;
    int width;
    std::vector<std::string> masks;
};

struct EdgeCase {
    int index;
    int thickness;
    Orientation travel; // canonical "down" mapped to the slide as the table draws it
    Size slide;
};

// Every lane (column of the band's thickness, across the travel) reaches the same depth over its whole
// width, with no holes: the progress p of the frame plus 0 to 49, clipped to the slide.
class EdgeBands : public ::testing::TestWithParam<EdgeCase> { };

TEST_P(EdgeBands, EachLaneIsOneRaggedBandAtTheProgressPlusUpTo49)
{
    const EdgeCase& c = GetParam();
    const int step = 13;
    Reveal run(c.index, c.slide, step);
    const Size extent = c.travel.Extent(c.slide);
    ASSERT_EQ(run.Frames(), (extent.cy + 50 + step - 1) / step);
    bool ragged = false;
    for (int frame = 0; frame < run.Frames(); ++frame) {
        const int p = frame * step;
        int laneDepth = -1;
        for (int x = 0; x < extent.cx; ++x) {
            int depth = 0;
            for (int y = 0; y < extent.cy; ++y) {
                const Rect px = c.travel.Map(Rect{x, y, x + 1, y + 1}, c.slide);
                const char shown = run.At(frame, px.left, px.top);
                ASSERT_EQ(shown, y == depth && shown == '#' ? '#' : '.')
                    << "hole or stray pixel, frame " << frame << " at " << x << "," << y;
                depth += shown == '#';
            }
            EXPECT_GE(depth, std::min(p, extent.cy)) << "frame " << frame << " lane at " << x;
            EXPECT_LE(depth, std::min(p + 49, extent.cy)) << "frame " << frame << " lane at " << x;
            if (x % c.thickness == 0) {
                ragged |= laneDepth >= 0 && depth != laneDepth;
                laneDepth = depth;
            } else {
                EXPECT_EQ(depth, laneDepth) << "frame " << frame << ": a band split at " << x;
            }
        }
    }
    if (extent.cx > 4 * c.thickness) {
        EXPECT_TRUE(ragged) << "all bands ended level";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Indices, EdgeBands,
    ::testing::Values(EdgeCase{0, 20, Orientation::kDown, {83, 41}}, EdgeCase{1, 5, Orientation::kDown, {83, 41}},
                      EdgeCase{12, 15, Orientation::kRight, {41, 83}}, EdgeCase{13, 5, Orientation::kRight, {41, 83}},
                      EdgeCase{14, 15, Orientation::kLeft, {41, 83}}, EdgeCase{15, 5, Orientation::kLeft, {41, 83}},
                      EdgeCase{18, 15, Orientation::kUp, {83, 41}}, EdgeCase{19, 5, Orientation::kUp, {83, 41}},
                      // Narrower than one band: still one band.
                      EdgeCase{0, 20, Orientation::kDown, {7, 30}}, EdgeCase{18, 15, Orientation::kUp, {7, 30}},
                      EdgeCase{12, 15, Orientation::kRight, {30, 1}}, EdgeCase{14, 15, Orientation::kLeft, {30, 9}}));

TEST(BandDown, LargeStepOf50CoversA100PixelSlideInItsThirdFrame)
{
    for (int width : {37, 60, 140}) {
        Reveal run(0, {width, 100}, 50);
        ASSERT_EQ(run.Frames(), 3) << width;
        EXPECT_FALSE(run.WholeAt(1)) << width; // reaches at most row 99 - 1
        EXPECT_TRUE(run.WholeAt(2)) << width;
    }
}

// Where the slide first shows and where it shows last: the anchored corner (or the centre, or the edges)
// within the first two frames, the opposite place only later.
struct StartCase {
    int index;
    Point first; // in a 60 x 40 slide
    Point last;
};
class BandStart : public ::testing::TestWithParam<StartCase> { };

TEST_P(BandStart, GrowsFromItsCornerOrCentre)
{
    const StartCase& c = GetParam();
    Reveal run(c.index, {60, 40}, 10);
    EXPECT_EQ(run.At(1, c.first.x, c.first.y), '#');
    EXPECT_EQ(run.At(1, c.last.x, c.last.y), '.');
    EXPECT_EQ(run.At(2, c.last.x, c.last.y), '.');
}

INSTANTIATE_TEST_SUITE_P(Indices, BandStart,
                         ::testing::Values(StartCase{2, {30, 20}, {0, 0}}, StartCase{3, {30, 20}, {59, 39}},
                                           StartCase{4, {0, 39}, {59, 0}}, StartCase{5, {0, 39}, {59, 0}},
                                           StartCase{6, {0, 0}, {59, 39}}, StartCase{7, {0, 0}, {59, 39}},
                                           StartCase{8, {59, 39}, {0, 0}}, StartCase{9, {59, 39}, {0, 0}},
                                           StartCase{10, {59, 0}, {0, 39}}, StartCase{11, {59, 0}, {0, 39}}));

TEST(BandToCenter, ClosesInFromTheEdgesAndIsCompleteOnceTheBoxIsGone)
{
    // A 100 x 60 slide: the box's half-width runs 51, 41, ..., 1, -9, ..., -49 (11 frames).
    Reveal run(16, {100, 60}, 10);
    ASSERT_EQ(run.Frames(), 11);
    EXPECT_EQ(run.At(1, 0, 0), '#');

    for (int frame = 0; frame <= 4; ++frame)
        EXPECT_EQ(run.At(frame, 50, 30), '.') << frame;
    EXPECT_FALSE(run.WholeAt(4));
    EXPECT_TRUE(run.WholeAt(6));
}

struct BlockCase {
    int index;
    Rect firstCell, secondCell, lastCell;
};
class Blocks : public ::testing::TestWithParam<BlockCase> { };

// 64 x 64: cells of 9 x 9, the last column and row of cells clipped to one pixel.
TEST_P(Blocks, OneCellAFrameAlongTheSpiralClippedToTheSlide)
{
    const BlockCase& c = GetParam();
    Reveal run(c.index, {64, 64});
    ASSERT_EQ(run.Frames(), 64);
    const Rect slide{0, 0, 64, 64};
    const int firstArea = c.firstCell.Width() * c.firstCell.Height();
    EXPECT_EQ(run.Shown(0, c.firstCell), firstArea);
    EXPECT_EQ(run.Shown(0, slide), firstArea);
    // Frame 0 also presents the background; later frames just their cell, inside the slide.
    EXPECT_EQ(run.trace.frames[1].presented, std::vector<Rect>{c.secondCell.Offset(3, 2)});
    EXPECT_EQ(run.trace.frames[63].presented, std::vector<Rect>{c.lastCell.Offset(3, 2)});
    int shown = 0;
    for (int frame = 0; frame < 64; ++frame) {
        const int now = run.Shown(frame, slide);
        EXPECT_GT(now, shown) << "frame " << frame << " added nothing";
        shown = now;
    }
    EXPECT_TRUE(run.WholeAt(63));
}

INSTANTIATE_TEST_SUITE_P(Indices, Blocks,
                         ::testing::Values(BlockCase{20, {27, 27, 36, 36}, {27, 36, 36, 45}, {63, 0, 64, 9}},
                                           BlockCase{21, {63, 0, 64, 9}, {63, 9, 64, 18}, {27, 27, 36, 36}}));

TEST(CenterDiffuse, GrowsAPixelAFrameOnTheShorterHalfAxisThenCopiesTheWholeSlide)
{
    Reveal square(22, {20, 20});
    ASSERT_EQ(square.Frames(), 10);
    EXPECT_EQ(square.Shown(0, {0, 0, 20, 20}), 0);
    EXPECT_EQ(square.Shown(3, {0, 0, 20, 20}), 36);
    EXPECT_EQ(square.Shown(3, {7, 7, 13, 13}), 36);
    EXPECT_EQ(square.Shown(9, {0, 0, 20, 20}), 18 * 18);
    EXPECT_TRUE(square.trace.SlideWhole());

    // Tall: half-width 4 after four frames, the height scaled by 21 / 9 and truncated.
    Reveal tall(22, {9, 21});
    ASSERT_EQ(tall.Frames(), 4);
    EXPECT_EQ(tall.Shown(3, {0, 0, 9, 21}), 6 * 14);
    EXPECT_EQ(tall.Shown(3, {1, 3, 7, 17}), 6 * 14);
}

// Lines of cells 3 pixels along the travel on a 40-pixel slide: lines 14 to 19 lie outside it.
TEST(Checkerboards, EveryOtherCellOfALineAFrameThenTheOthers)
{
    Reveal down(24, {40, 40});
    ASSERT_EQ(down.Frames(), 40);
    EXPECT_EQ(down.masks[0].substr(0, 41), "###...###...###...###...###...###...###.\n");
    EXPECT_EQ(down.masks[1].substr(3 * 41, 41), "...###...###...###...###...###...###...#\n");
    EXPECT_EQ(down.Shown(13, {0, 0, 40, 40}), down.Shown(19, {0, 0, 40, 40}));
    for (int frame : {14, 19, 34, 39})
        EXPECT_TRUE(down.trace.frames[size_t(frame)].presented.empty()) << frame;
    EXPECT_TRUE(down.WholeAt(33));

    // Columns, right to left in the first pass: the first visible column is line 13 (x 39), cells 0, 2, ...
    Reveal right(28, {40, 40});
    EXPECT_EQ(right.Shown(5, {0, 0, 40, 40}), 0);
    EXPECT_EQ(right.Shown(6, {0, 0, 40, 40}), 6 * 3 + 1);
    EXPECT_EQ(right.At(6, 39, 0), '.');
    EXPECT_EQ(right.At(6, 39, 3), '#');
}

// A stop ends the bands and blocks where they are; Center(Diffuse) still shows the whole slide.
struct StopCase {
    int index;
    int frames; // after a stop raised at the end of frame 2
    bool whole;
};
class Stops : public ::testing::TestWithParam<StopCase> { };

TEST_P(Stops, EndAsTheFamilySays)
{
    const StopCase& c = GetParam();
    Reveal run(c.index, {100, 100}, 10, 2);
    ASSERT_EQ(run.Frames(), c.frames);
    EXPECT_EQ(run.trace.SlideWhole(), c.whole);
    if (!c.whole) {
        EXPECT_EQ(run.trace.Mask(run.trace.canvas.ToDecoded()), run.masks.back()) << "drew after the stop";
    }
}

INSTANTIATE_TEST_SUITE_P(Indices, Stops,
                         ::testing::Values(StopCase{0, 4, false}, StopCase{9, 4, false}, StopCase{17, 4, false},
                                           StopCase{21, 4, false}, StopCase{22, 4, true}));

TEST(Checkerboards, StoppedInTheFirstPassDrawsTheSecondPassFirstLine)
{
    // Down: lines 0 to 3 half drawn, then line 0 whole. Up rebound: lines 19 to 16 (outside), then half of
    // line 0.
    Reveal down(24, {40, 40}, 10, 2);
    ASSERT_EQ(down.Frames(), 5);
    EXPECT_EQ(down.Shown(4, {0, 0, 40, 3}), 120);
    EXPECT_EQ(down.Shown(4, {0, 3, 40, 12}), 3 * (19 + 21 + 19));
    EXPECT_EQ(down.Shown(4, {0, 12, 40, 40}), 0);

    Reveal upRebound(31, {40, 40}, 10, 2);
    ASSERT_EQ(upRebound.Frames(), 5);
    EXPECT_EQ(upRebound.Shown(3, {0, 0, 40, 40}), 0);
    EXPECT_EQ(upRebound.Shown(4, {0, 0, 40, 40}), 3 * 19); // the odd cells of line 0
}

} // namespace

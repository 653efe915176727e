// The region-shape effects: frame counts and step use, what a stop leaves, the sweeps' first and last
// frames, random centres, skipped ellipses and the tiled multi-wipe field.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "EffectHarness.h"
#include "gfx/Region.h"
#include "transitions/EffectNames.h"

namespace {

const Size kWindow{61, 43};
const Size kSlide{37, 23};
const Point kAt{5, 7};

struct Expected {
    int index;
    int frames;          // on the 37 x 23 slide whatever the caller's step
    bool wholeAfterStop; // a stop still ends with the whole slide
};

// Worked out from each effect's loop on the 37 x 23 slide: the sweeps run their phases 12, 19, 12 and 19
// frames long (the end phase's first frame is not drawn), n = 19 and cx = 19, the ellipse radius 21,
// multi-wipe cells 4 wide.
const Expected kEffects[] = {
    {32, 30, false}, {33, 61, false}, {34, 42, false}, {35, 42, false}, {36, 61, false}, {37, 61, false},
    {38, 19, true},  {39, 20, true},  {40, 37, true},  {41, 38, true},  {42, 22, true},  {43, 12, true},
    {44, 42, true},  {45, 21, false}, {46, 21, false}, {91, 4, true},   {92, 4, true},   {93, 4, true},
    {94, 4, true},   {141, 32, true}, {142, 32, true}, {143, 32, true}, {144, 32, true}, {149, 37, true},
    {150, 37, true}, {151, 19, true}, {152, 37, true}, {153, 37, true}, {154, 19, true}, {155, 19, true},
    {156, 19, true},
};

class RegionShape : public ::testing::TestWithParam<Expected> { };

TEST_P(RegionShape, RunsItsFramesWhateverTheStep)
{
    for (int step : {1, 7}) {
        EffectTrace t(kWindow, kSlide, kAt);
        t.Run(GetParam().index, step);
        EXPECT_EQ(t.result.frames, GetParam().frames) << EffectName(GetParam().index) << ", step " << step;
        EXPECT_TRUE(t.SlideWhole());
    }
}

TEST_P(RegionShape, AStopEndsWithTheWholeSlideOnlyWhereTheEffectCopiesItAfterItsLoop)
{
    EffectTrace t(kWindow, kSlide, kAt);
    t.Run(GetParam().index, 5, 2); // the frame after the stop is drawn, then the loop ends
    EXPECT_EQ(t.result.frames, 4);
    EXPECT_EQ(t.result.stepAfter, 5);
    EXPECT_EQ(t.SlideWhole(), GetParam().wholeAfterStop) << EffectName(GetParam().index);
}

TEST_P(RegionShape, EndsWithTheWholeSlideOnSlidesOnePixelWideOrHigh)
{
    // No random range, no ratio worth the name, cells of one pixel: nothing may divide by zero or hang.
    for (Size thin : {Size{1, 9}, Size{9, 1}, Size{1, 1}, Size{2, 2}}) {
        EffectTrace t({12, 12}, thin, {2, 1});
        t.Run(GetParam().index);
        EXPECT_TRUE(t.result.completed && t.SlideWhole()) << thin.cx << "x" << thin.cy;
        EXPECT_TRUE(t.BackgroundOutsideUntouched());
    }
}

INSTANTIATE_TEST_SUITE_P(Index, RegionShape, ::testing::ValuesIn(kEffects),
                         [](const auto& info) { return std::to_string(info.param.index); });

std::string Frame(const EffectTrace& t, size_t k)
{
    return t.Mask(t.canvases.at(k));
}

TEST(RegionShapeSweep, LeftBottomStopsDrawingBeforeTheLeftEdgeAndTheCopyCompletesIt)
{
    // 8 x 4: up the right edge d = 4, 2, 0; along the top d = 8, 6, 4, 2; the frame with d = 0 would reach
    // the end phase and is replaced by the whole slide.
    EffectTrace t({14, 9}, {8, 4}, {3, 2});
    t.Run(32, 10, -1, true);
    ASSERT_EQ(t.result.frames, 7);
    EXPECT_EQ(Frame(t, 6),
              "..######\n"
              "..######\n"
              ".#######\n"
              ".#######\n");
    EXPECT_TRUE(t.SlideWhole());
}

TEST(RegionShapeSweep, RightTopShowsNothingUntilItsPointTurnsDownTheLeftEdge)
{
    // The centre lies on the top edge: along it (d = 4, 2, 0) and at the corner the fan has no area.
    EffectTrace t({14, 9}, {8, 4}, {3, 2});
    t.Run(35, 10, -1, true);
    for (size_t k = 0; k < 4; ++k)
        EXPECT_EQ(Frame(t, k), "........\n........\n........\n........\n") << "frame " << k;
    EXPECT_EQ(Frame(t, 4),
              "########\n"
              "####....\n"
              "........\n"
              "........\n");
}

TEST(RegionShapeRandom, CentresLieInsideTheSlideWhereverItIsDrawn)
{
    // The first ellipse is one pixel up and left of the centre, which lies off the slide's left and top
    // edges by at least one pixel: inside the slide at (100, 50) of the window, not at the window's point.
    const Size slide{40, 30};
    for (uint32_t tick = 0; tick < 40000; tick += 1000) {
        EffectTrace t({200, 120}, slide, {100, 50});
        EffectRunOptions options;
        options.index = 44;
        options.at = t.at;
        options.startTick = tick;
        int frame = 0;
        RunEffect(t.canvas, t.background, t.slide, options, [&](const Picture& shown, const EffectFrame&) {
            if (frame++ == 0) {
                const std::string mask = t.Mask(shown.ToDecoded());
                EXPECT_EQ(std::count(mask.begin(), mask.end(), '#'), 1) << "tick " << tick;
                EXPECT_EQ(mask.find('?'), std::string::npos);
            }
        });
        EXPECT_TRUE(t.SlideWhole());
        EXPECT_TRUE(t.BackgroundOutsideUntouched());
    }
}

TEST(RegionShapeEllipse, FramesWhoseEllipseCannotBeMadeAreSkippedWithoutTheirDelay)
{
    // 2000 x 1: the ellipse grows 2000 pixels wider per frame; from the ninth on it is too wide to make.
    EffectTrace t({2000, 3}, {2000, 1}, {0, 1});
    t.Run(42);
    EXPECT_EQ(t.result.frames, 8);
    EXPECT_EQ(t.result.nominalMs, 16u);
    EXPECT_TRUE(t.result.completed && t.SlideWhole());
}

TEST(RegionShapeMultiWipe, EachFrameShowsTheWholeFieldOfTriangles)
{
    // The field is drawn by tiling what one triangle adds; the canvas must show all 100 triangles of every
    // frame so far, built here one by one.
    const int w = kSlide.cx, h = kSlide.cy;
    const float r = static_cast<float>(static_cast<double>(h) / w);
    const int cw = (w + 10) / 10, ch = (h + 10) / 10;
    for (int index : {91, 92, 93, 94}) {
        const bool right = index == 92 || index == 94, bottom = index == 91 || index == 92;
        EffectTrace t(kWindow, kSlide, kAt);
        t.Run(index, 10, -1, true);
        Region shown;
        for (size_t k = 0; k < t.canvases.size(); ++k) {
            const int s = 2 * static_cast<int>(k);
            const int leg = static_cast<int>(static_cast<double>(r) * s);
            std::vector<std::vector<Point>> field;
            for (int j = 0; j < 10; ++j)
                for (int i = 0; i < 10; ++i) {
                    const Point c{i * cw + (right ? cw : 0), j * ch + (bottom ? ch : 0)};
                    field.push_back({c, {c.x + (right ? -s : s), c.y}, {c.x, c.y + (bottom ? -leg : leg)}});
                }
            shown.Combine(Region::FromPolygons(field, PolyFillMode::Winding), RegionOp::Or);
            std::string expected;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x)
                    expected += shown.Contains(x, y) ? '#' : '.';
                expected += '\n';
            }
            EXPECT_EQ(Frame(t, k), expected) << EffectName(index) << ", frame " << k;
        }
    }
}

} // namespace

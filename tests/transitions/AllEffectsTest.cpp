// What every effect owes its caller, whatever its geometry: checked for every index.
#include <gtest/gtest.h>

#include <climits>

#include "EffectHarness.h"
#include "transitions/EffectNames.h"

namespace {

struct Shape {
    Size window;
    Size slide;
    Point at;
};
// Odd sizes at a window offset, landscape and portrait.
const Shape kShapes[] = {{{61, 43}, {37, 23}, {5, 7}}, {{47, 59}, {23, 37}, {11, 2}}};

class EveryEffect : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        const EffectEntry* entry = FindEffect(GetParam());
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(entry->run, nullptr) << "no family draws " << EffectName(GetParam());
    }
};

TEST_P(EveryEffect, RunToItsEndLeavesTheWholeSlideAndTheBackgroundAroundIt)
{
    for (const Shape& s : kShapes) {
        EffectTrace t(s.window, s.slide, s.at);
        t.Run(GetParam(), 7);
        EXPECT_FALSE(t.hung);
        EXPECT_TRUE(t.result.completed);
        EXPECT_GT(t.result.frames, 1) << "shows the slide at once";
        EXPECT_TRUE(t.SlideWhole());
        EXPECT_TRUE(t.BackgroundOutsideUntouched());
        EXPECT_EQ(t.framesNotShown, 0) << "frames whose changes were not all presented";
        EXPECT_EQ(t.result.stepAfter, 7);
    }
}

// A stop raised after frame K is seen at the end of the next frame; an effect in an early phase then draws
// the next phase's first frame before it ends (checkerboards, interlaced lines, moves by halves).
TEST_P(EveryEffect, StopEndsWithinAFrameOrTwoAndGivesTheStepBack)
{
    const Shape& s = kShapes[0];
    EffectTrace whole(s.window, s.slide, s.at);
    whole.Run(GetParam(), 3);
    for (int stopAfter : {0, 1, whole.result.frames / 2}) {
        EffectTrace t(s.window, s.slide, s.at);
        t.Run(GetParam(), 3, stopAfter);
        EXPECT_LE(t.result.frames, stopAfter + 3) << "stopped after frame " << stopAfter;
        EXPECT_EQ(t.result.stepAfter, 3);
        EXPECT_TRUE(t.BackgroundOutsideUntouched());
        if (stopAfter + 1 < whole.result.frames) {
            EXPECT_FALSE(t.result.completed);
        }
    }
}

TEST_P(EveryEffect, AnyStepEndsWithoutOverflow)
{
    const Shape& s = kShapes[1];
    for (int step : {0, 1, 100, INT_MAX}) {
        EffectTrace t(s.window, s.slide, s.at);
        t.Run(GetParam(), step);
        EXPECT_FALSE(t.hung) << "step " << step;
        EXPECT_TRUE(t.SlideWhole()) << "step " << step;
        EXPECT_EQ(t.result.stepAfter, step < 1 ? 1 : step);
    }
}

INSTANTIATE_TEST_SUITE_P(Index, EveryEffect, ::testing::Range(0, kEffectCount));

} // namespace

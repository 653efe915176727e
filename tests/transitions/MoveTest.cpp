// Moves: pieces slide in rigidly, never smear, end in place, and pause only once a piece has arrived.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "EffectHarness.h"
#include "transitions/EffectNames.h"
#include "transitions/effects/Families.h"

namespace {

// The slide repainted with each pixel's number (the harness's position hash repeats on slides this size;
// background never has the top bit of red), so every frame tells where each shown pixel came from.
struct Shown {
    explicit Shown(EffectTrace& t) : t(t), w(t.slide.Width()), n(w * t.slide.Height())
    {
        for (int i = 0; i < n; ++i)
            t.slide.Row(i / w)[i % w] = 0x00800000u | uint32_t(i);
    }
    // The slide pixel number shown at x, y; -1 for background in place, -2 for anything else.
    int At(const DecodedImage& shot, int x, int y) const
    {
        const uint32_t p = shot.pixels[size_t(t.at.y + y) * shot.width + t.at.x + x];
        if (p == EffectTrace::BackgroundPixel(t.at.x + x, t.at.y + y))
            return -1;
        return p >> 23 == 1 && int(p & 0x7FFFFF) < n ? int(p & 0x7FFFFF) : -2;
    }
    const EffectTrace& t;
    int w, n;
};

uint32_t PauseOf(int index)
{
    return FindEffect(index)->params.pauseMs;
}

class EveryMove : public ::testing::TestWithParam<int> { };

// Every frame shows bands of the slide across the motion (one rectangle for the corner moves), each moved
// as one piece, over the background: no pixel twice (nothing left behind), nothing placed ever taken away,
// nothing revealed in place without moving there; the pause comes once, with nothing moving; the effect's
// own last frame is the whole slide.
TEST_P(EveryMove, EveryFrameShowsRigidPiecesOverTheBackground)
{
    const EffectEntry* e = FindEffect(GetParam());
    const bool corner = e->run == MoveCorner, across = e->params.orientation.swapAxes;
    // Strips three pixels thick, none thinner at the end: no piece arrives in a single step.
    for (Size slide : {Size{51, 45}, Size{42, 57}}) {
        EffectTrace t({slide.cx + 6, slide.cy + 5}, slide, {3, 2});
        const Shown shown(t);
        t.Run(GetParam(), 7, -1, true);
        std::vector<int> before(shown.n, -1); // where each slide pixel was in the frame before
        std::vector<char> placed(shown.n, 0);
        int count = 0, pauses = 0;
        for (size_t f = 0; f < t.canvases.size(); ++f) {
            SCOPED_TRACE("frame " + std::to_string(f));
            std::vector<int> now(shown.n, -1);
            std::set<int> shifts;
            std::vector<int> band(std::max(slide.cx, slide.cy), INT_MIN);
            bool moved = false, arrived = false;
            int shownCount = 0;
            for (int at = 0; at < shown.n; ++at) {
                const int s = shown.At(t.canvases[f], at % slide.cx, at / slide.cx);
                ASSERT_NE(s, -2) << "neither slide nor background";
                const int shift = s < 0 ? INT_MAX : s - at;
                int& line = band[across ? at % slide.cx : at / slide.cx];
                line = line == INT_MIN ? shift : line;
                ASSERT_TRUE(corner || line == shift) << "band split";
                ASSERT_FALSE(placed[at] && shift != 0) << "placed pixel lost";
                if (s < 0)
                    continue;
                ASSERT_EQ(now[s], -1) << "pixel shown twice, a trail";
                now[s] = at;
                ++shownCount;
                moved |= before[s] >= 0 && before[s] != at;
                if (shift != 0)
                    shifts.insert(shift);
                else if (!placed[at])
                    placed[at] = arrived = true;
            }
            ASSERT_LE(shifts.size(), e->run == MoveBothHalves ? 2u : 1u);
            ASSERT_GE(shownCount, count) << "a piece lost pixels";
            ASSERT_TRUE(moved || !arrived) << "revealed in place";
            count = shownCount;
            before.swap(now);
            if (t.frames[f].delayMs != 2) {
                ++pauses;
                EXPECT_EQ(t.frames[f].delayMs, PauseOf(GetParam()));
                EXPECT_TRUE(shifts.empty()) << "pause while a piece is still moving";
            }
        }
        EXPECT_EQ(pauses, PauseOf(GetParam()) ? 1 : 0);
        EXPECT_EQ(count, shown.n);
    }
}

INSTANTIATE_TEST_SUITE_P(Index, EveryMove, ::testing::Range(59, 89));

TEST(Move, DownRunsTwoFramesPastTheSlideHeightWhateverTheStep)
{
    for (int step : {1, 10, INT_MAX}) {
        EffectTrace t({40, 110}, {30, 100}, {5, 5});
        t.Run(59, step);
        EXPECT_EQ(t.result.frames, 102) << "step " << step;
    }
}

// Strips are a twentieth of the width plus one; the step is 2 unless the strips are thinner.
TEST(Move, LeftFiveOnNarrowSlidesMovesStripsOfTheirOwnThickness)
{
    for (const auto& [width, strip] : {std::pair{30, 2}, std::pair{15, 1}}) {
        EffectTrace t({width + 4, 8}, {width, 4}, {2, 2});
        const Shown shown(t);
        t.Run(74, 9, -1, true);
        // Frame 2 has moved the leftmost strip two steps in from the right edge, background behind it.
        for (int x = 0; x < width; ++x) {
            const int inStrip = x - (width - 2 * strip);
            EXPECT_EQ(shown.At(t.canvases[2], x, 1), inStrip >= 0 && inStrip < strip ? width + inStrip : -1)
                << "width " << width << " column " << x;
        }
    }
}

// The corner piece is p wide and trunc(p * h / w) high in whole numbers: on a 10 x 7 slide the frame with
// p = 10 shows the whole slide (a single-precision ratio makes it 6 rows, one row off).
TEST(Move, CornerPieceHeightIsTheWholeNumberQuotient)
{
    EffectTrace t({14, 11}, {10, 7}, {2, 2});
    const Shown shown(t);
    t.Run(67, 1, -1, true); // Move from top left, step 2: p = 10 in frame 5
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(shown.At(t.canvases[5], x, y), y * 10 + x) << x << "," << y;
}

// A stop raised during a pause is seen only after it, at the end of the next frame; a stop seen by the
// frame in which the first piece arrives does not wait for the pause.
TEST(Move, StopDuringThePauseTakesEffectAfterIt)
{
    for (int index = 59; index <= 88; ++index) {
        if (!PauseOf(index))
            continue;
        EffectTrace whole({17, 15}, {11, 9}, {3, 2}), during({17, 15}, {11, 9}, {3, 2}),
            before({17, 15}, {11, 9}, {3, 2});
        whole.Run(index, 5);
        int pause = 0;
        while (whole.frames[pause].delayMs == 2)
            ++pause;
        during.Run(index, 5, pause);
        ASSERT_EQ(during.result.frames, pause + 2) << EffectName(index);
        EXPECT_EQ(during.frames[pause].delayMs, PauseOf(index));
        EXPECT_EQ(during.result.stepAfter, 5);
        before.Run(index, 5, pause - 2);
        EXPECT_LE(before.result.nominalMs, whole.result.nominalMs - PauseOf(index)) << EffectName(index);
    }
}

} // namespace

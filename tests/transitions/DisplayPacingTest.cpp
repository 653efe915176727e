// Every effect paced for a display on a clock that moves while the effect draws: what reaches the window is
// always a frame of the exact run, shown no earlier than its time, in order, at most once per refresh, and
// the run ends on the same canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "EffectHarness.h"
#include "platform/Clock.h"
#include "transitions/EffectNames.h"

namespace {

constexpr int64_t kRefreshMicros = 16667;

// Virtual time in which every look at the clock costs `lookMicros`: the drawing between two looks takes
// that long, so a run with short delays falls behind.
class SlowClock final : public IClock {
public:
    explicit SlowClock(int64_t lookMicros) : look_(lookMicros) { }
    uint32_t TickCount() override { return static_cast<uint32_t>(Micros() / 1000); }
    int64_t Micros() override
    {
        const int64_t at = now_;
        now_ += look_;
        return at;
    }
    void Sleep(uint32_t ms) override { now_ += int64_t(ms) * 1000; }
    void SleepMicros(int64_t us) override { now_ += us > 0 ? us : 0; }
    void Spend(int64_t us) { now_ += us; }
    int64_t Peek() const { return now_; }

private:
    int64_t look_;
    int64_t now_ = 0;
};

// A window keeping what it shows after each present, and when.
class PresentRecorder final : public ITransitionWindow {
public:
    // Each present takes presentMicros of the clock's time, after it is shown.
    PresentRecorder(const Picture& start, SlowClock& clock, int64_t presentMicros)
        : clock_(clock), presentMicros_(presentMicros)
    {
        screen_.CreateBlank(start.Width(), start.Height());
        screen_.BitBlt(0, 0, start.Width(), start.Height(), start, 0, 0);
    }
    void Present(const Picture& canvas, int x, int y, int width, int height) override
    {
        screen_.BitBlt(x, y, width, height, canvas, x, y);
    }
    void PresentRegion(const Picture& canvas, const Region& region) override { screen_.CopyThrough(canvas, region); }
    void PresentChanges(const Picture& canvas, const std::vector<Rect>& rects,
                        const std::vector<Region>& regions) override
    {
        ITransitionWindow::PresentChanges(canvas, rects, regions);
        shown.push_back({clock_.Peek(), screen_.ToDecoded()});
        mostRects = std::max(mostRects, rects.size());
        clock_.Spend(presentMicros_);
    }
    void Post(uint32_t, uint32_t) override { }

    struct Shown {
        int64_t at;
        DecodedImage screen;
    };
    std::vector<Shown> shown;
    size_t mostRects = 0; // the most rectangles one present carried

private:
    SlowClock& clock_;
    int64_t presentMicros_;
    Picture screen_;
};

bool Same(const DecodedImage& a, const DecodedImage& b)
{
    return a.width == b.width && a.height == b.height &&
        std::memcmp(a.pixels.data(), b.pixels.data(), a.pixels.size() * sizeof(a.pixels[0])) == 0;
}

struct PacedRun {
    EffectTrace exact{{121, 81}, {97, 61}, {11, 13}};
    EffectTrace paced{{121, 81}, {97, 61}, {11, 13}};
    SlowClock clock;
    PresentRecorder window;
    EffectRunResult result;

    PacedRun(int index, int64_t lookMicros, int64_t presentMicros = 0)
        : clock(lookMicros), window(paced.canvas, clock, presentMicros)
    {
        exact.Run(index, 3, -1, true);
        EffectRunOptions options;
        options.index = index;
        options.at = exact.at;
        options.step = 3;
        options.clock = &clock;
        options.window = &window;
        options.pacing = FramePacing::Display;
        result = RunEffect(paced.canvas, paced.background, paced.slide, options);
    }
};

class PacedEffect : public ::testing::TestWithParam<std::tuple<int, int64_t>> { };

TEST_P(PacedEffect, PresentsFramesOfTheExactRunOnTimeInOrderAndEndsTheSame)
{
    const auto [index, look] = GetParam();
    PacedRun run(index, look);
    ASSERT_TRUE(run.result.completed);
    // The exact run's canvases, each due at the sum of the delays before it; the closing canvas after all.
    std::vector<int64_t> due{0};
    for (const EffectFrame& f : run.exact.frames)
        due.push_back(due.back() + int64_t(f.delayMs) * 1000);
    std::vector<const DecodedImage*> canvases;
    for (const DecodedImage& c : run.exact.canvases)
        canvases.push_back(&c);
    const DecodedImage closing = run.exact.canvas.ToDecoded();
    canvases.push_back(&closing);

    ASSERT_FALSE(run.window.shown.empty());
    size_t k = 0;
    for (size_t i = 0; i < run.window.shown.size(); ++i) {
        const PresentRecorder::Shown& s = run.window.shown[i];
        while (k < canvases.size() && !Same(*canvases[k], s.screen))
            ++k;
        ASSERT_LT(k, canvases.size()) << EffectName(index) << ": present " << i
                                      << " shows no frame of the exact run (or one before the last shown)";
        EXPECT_GE(s.at, due[k]) << EffectName(index) << ": frame " << k << " shown before its time";
        // Only the run's own end may come sooner after the present before.
        if (i > 0 && i + 1 < run.window.shown.size()) {
            EXPECT_GE(s.at - run.window.shown[i - 1].at, kRefreshMicros) << EffectName(index) << ": present " << i;
        }
    }
    EXPECT_TRUE(Same(run.paced.canvas.ToDecoded(), closing)) << EffectName(index);
    EXPECT_TRUE(Same(run.window.shown.back().screen, closing)) << EffectName(index);
}

// A little late (looks of 0.7 ms against frames of 1 or 2 ms), often late, and far behind.
INSTANTIATE_TEST_SUITE_P(Index, PacedEffect,
                         ::testing::Combine(::testing::Range(0, kEffectCount), ::testing::Values(700, 1500, 3000)));

TEST(PacedEffect, LateRunsLeaveOutOverwritingFramesButDrawEveryAddingOne)
{
    for (int index : {59 /* Move down */, 120 /* Stretch from bottom */, 47 /* Increase show */}) {
        PacedRun run(index, 8000);
        EXPECT_LT(run.result.frames, int(run.exact.frames.size())) << EffectName(index);
    }
    for (int index : {0 /* Band down large */, 48 /* Line down */, 145 /* Window blind down */}) {
        PacedRun run(index, 8000);
        EXPECT_EQ(run.result.frames, int(run.exact.frames.size())) << EffectName(index);
    }
}

// A stretch's frames held for the display each grow one rectangle: a present shows the largest once.
TEST(PacedEffect, FramesHeldForTheDisplayShowAGrowingRectangleOnce)
{
    PacedRun run(120 /* Stretch from bottom */, 100);
    EXPECT_LT(run.window.shown.size(), run.exact.frames.size());
    EXPECT_EQ(run.window.mostRects, 1u);
}

// A stretch whose presents take ten of its frames' delays: near the end it leaves out the frames that would hold
// the closing slide up, so the closing is shown when it is due rather than a frame and a present later.
TEST(PacedEffect, ASweepClosedByTheWholeSlideShowsTheClosingWhenItIsDue)
{
    PacedRun run(120 /* Stretch from bottom */, 200, 20000);
    int64_t closing = 0;
    for (const EffectFrame& f : run.exact.frames)
        closing += int64_t(f.delayMs) * 1000;
    EXPECT_LE(run.window.shown.back().at, closing + 1000);
}

} // namespace

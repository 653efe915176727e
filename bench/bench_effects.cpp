// Every transition effect in a full-HD window (QM_BENCH_SIZE=WxH for another, 3840x2160 for 4K). BM_EffectDraw:
// drawing time per frame in virtual time (canvas and window drawn on before, as a show's are), on a window-sized
// slide (arg 0) and a slide of two thirds of the width and eight ninths of the height (1280x960 at full HD)
// centred (arg 1), with presentation to a window picture left out (0), included for every frame (1), or included
// as a display takes it, at most once every 16.7 ms of the run's time (2, as the live show and the Windows runtime
// present). BM_EffectRealClock: a whole run on the real clock against frames x nominal delay, on the same two
// slides (the median of three runs is the figure).
//
//   build/native/bench/bench_effects --benchmark_filter=EffectDraw --benchmark_format=json > draw.json
//   QM_BENCH_SIZE=3840x2160 build/native/bench/bench_effects --benchmark_filter='RealClock/[0-9]+/0/'
//       (with --benchmark_repetitions=3 --benchmark_report_aggregates_only=true for the figure)
#include <benchmark/benchmark.h>

#include <string>

#include "BenchPictures.h"
#include "gfx/Region.h"
#include "platform/Clock.h"
#include "transitions/EffectNames.h"
#include "transitions/EffectRun.h"
#include "transitions/TransitionRequest.h"

namespace {

const int kW = BenchSize().cx, kH = BenchSize().cy;

// What a window does with a presented rectangle: one block copy from the canvas to the screen.
class CopyingWindow final : public ITransitionWindow {
public:
    CopyingWindow() { screen.CreateBlank(kW, kH, 0); }
    void Present(const Picture& canvas, int x, int y, int width, int height) override
    {
        screen.BitBlt(x, y, width, height, canvas, x, y);
    }
    void PresentRegion(const Picture& canvas, const Region& region) override { screen.CopyThrough(canvas, region); }
    void Post(uint32_t, uint32_t) override { }
    Picture screen;
};

struct Pictures {
    Picture background = Pattern(kW, kH, 1);
    Picture fullSlide = Pattern(kW, kH, 2);
    Picture smallSlide = Pattern(kW * 2 / 3, kH * 8 / 9, 3);
};
Pictures& Shared()
{
    static Pictures pictures;
    return pictures;
}

// A canvas or window surface as a show has it when a transition starts: made once and drawn on before, so
// its memory is in place. (A new picture's pages come on first touch, tens of milliseconds at 4K that belong
// to no transition.)
void DrawnOnBefore(Picture& surface)
{
    surface.BitBlt(0, 0, kW, kH, Shared().background, 0, 0);
}

// A run of the effect with step 10 and the slide centred in the window.
EffectRunOptions CentredRun(int index, const Picture& slide)
{
    EffectRunOptions options;
    options.index = index;
    options.step = 10;
    options.at = {(kW - slide.Width()) / 2, (kH - slide.Height()) / 2};
    return options;
}

void BM_EffectDraw(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    const bool small = state.range(1) != 0;
    const bool present = state.range(2) != 0;
    const bool asDisplay = state.range(2) == 2;
    Pictures& p = Shared();
    const Picture& slide = small ? p.smallSlide : p.fullSlide;
    Picture canvas;
    canvas.CreateBlank(kW, kH, 0);
    CopyingWindow window;
    DrawnOnBefore(canvas);
    DrawnOnBefore(window.screen);
    EffectRunOptions options = CentredRun(index, slide);
    options.window = present ? &window : nullptr;
    options.pacing = asDisplay ? FramePacing::Display : FramePacing::EveryFrame;
    EffectRunResult result;
    for (auto _ : state)
        result = RunEffect(canvas, p.background, slide, options);
    const double frames = result.frames > 0 ? result.frames : 1;
    const double perFrameMs = result.drawingSeconds * 1000.0 / frames;
    const double delayMs = static_cast<double>(result.nominalMs) / frames;
    state.counters["frames"] = result.frames;
    state.counters["draw_ms_per_frame"] = perFrameMs;
    state.counters["delay_ms"] = delayMs;
    state.counters["draw_pct_of_delay"] = delayMs > 0 ? 100.0 * perFrameMs / delayMs : 0;
    state.SetLabel(EffectName(index));
}
BENCHMARK(BM_EffectDraw)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kEffectCount - 1, 1), {0, 1}, {0, 1, 2}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_EffectRealClock(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    Pictures& p = Shared();
    const Picture& slide = state.range(1) != 0 ? p.smallSlide : p.fullSlide;
    Picture canvas;
    canvas.CreateBlank(kW, kH, 0);
    CopyingWindow window;
    EffectRunOptions options = CentredRun(index, slide);
    options.window = &window;
    const EffectRunResult planned = RunEffect(canvas, p.background, slide, options);
    options.clock = &SystemClock();
    EffectRunResult real;
    for (auto _ : state)
        real = RunEffect(canvas, p.background, slide, options);
    state.counters["frames"] = real.frames;
    state.counters["nominal_ms"] = static_cast<double>(planned.nominalMs);
    state.counters["wall_ms"] = real.wallSeconds * 1000.0;
    state.counters["ratio"] = planned.nominalMs ? real.wallSeconds * 1000.0 / planned.nominalMs : 0;
    state.SetLabel(EffectName(index));
}
// Run it three times (--benchmark_repetitions=3 --benchmark_report_aggregates_only=true) for the figure: a busy
// moment of the machine (another program) would otherwise stand as the effect's own. All 163 effects at 4K
// take a quarter of an hour a run, so a first pass once and the effects near their time again three times.
BENCHMARK(BM_EffectRealClock)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kEffectCount - 1, 1), {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

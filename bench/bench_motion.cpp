// The fades and the pan and zoom at 3840x2160, on this machine's cores.
//
// BM_FadeBlend: one fade frame's blend of a 3840x2160 slide over the background into the canvas (the goal:
// at most 8 ms). BM_PanZoomFrame: one pan and zoom frame of a 3:2 photo fitted to the height of a 3840x2160
// window, texts laid over it, moving through its whole path; the photo 6000x4000 as decoded in full (arg 6000)
// or 3750x2500 as a JPEG decodes at 5/8 for a 110 % end zoom (arg 3750). The CPU column over the 33.3 ms of a
// frame at 30 frames a second is the share of cores it takes (the goal: at most 1.5).
//
//   build/native/bench/bench_motion --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "gfx/Blend.h"
#include "slides/SlideMotion.h"

namespace {

constexpr int kW = 3840, kH = 2160;

void BM_FadeBlend(benchmark::State& state)
{
    static const Picture background = Pattern(kW, kH, 1), slide = Pattern(kW, kH, 2);
    static Picture canvas = Pattern(kW, kH, 3);
    int weight = 0;
    for (auto _ : state) {
        BlendRect(canvas, Rect{0, 0, kW, kH}, &background, Point{}, &slide, Point{}, weight);
        weight = (weight + 5) % 257;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_FadeBlend)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// For scale: one plain copy of a whole 3840x2160 picture, what memory allows at the least.
void BM_FrameCopy(benchmark::State& state)
{
    static const Picture slide = Pattern(kW, kH, 2);
    static Picture canvas = Pattern(kW, kH, 3);
    for (auto _ : state) {
        canvas.BitBlt(0, 0, kW, kH, slide, 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_PanZoomFrame(benchmark::State& state)
{
    static Picture canvas = Pattern(kW, kH, 4);
    SlideMotion motion;
    TextOverlay texts;
    texts.Capture(Size{kW, kH}, Rect{0, 0, kW, kH}, [](Picture& p) {
        // A title's worth of text pixels: a band of fine stripes.
        for (int y = 60; y < 160; ++y)
            for (int x = 1000; x < 2800; x += 3)
                p.Row(y)[x] = 0xFFE080;
    });
    PanZoomPath path;
    path.zoomPercent = 110;
    path.toX = path.toY = 100;
    path.fromX = path.fromY = 0;
    // Fitted to the height: 3240x2160 in the middle of the window.
    const int w = static_cast<int>(state.range(0)), h = w * 2 / 3;
    motion.Prepare(Pattern(w, h, 5), Size{w, h}, Rect::FromSize(300, 0, 3240, 2160), path, 7000, std::move(texts));
    motion.Start(0);
    uint32_t tick = 0;
    for (auto _ : state) {
        tick = (tick + 33) % 7000;
        benchmark::DoNotOptimize(motion.DrawAt(tick + 1, canvas));
    }
}
BENCHMARK(BM_PanZoomFrame)->Arg(6000)->Arg(3750)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

} // namespace

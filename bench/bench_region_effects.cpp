// Drawing time per frame of the region-shape effects at full HD, against their frame delay: a slide of
// 1920x1080 filling the window, and one of 1280x960 centred in it. Each run is one whole effect in virtual
// time (no sleeping); "ms/frame" is the run's CPU time divided by its frames, "of delay" its share of the
// nominal time (the frames' delays), "wall ms/frame" the real time as the trace command reports it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>

#include "gfx/ComPicture.h"
#include "transitions/EffectNames.h"
#include "transitions/EffectRun.h"

namespace {

constexpr int kW = 1920, kH = 1080;
const int kIndices[] = {32, 33, 34, 35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46, 91,
                        92, 93, 94, 141, 142, 143, 144, 149, 150, 151, 152, 153, 154, 155, 156};

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

CComPicture Filled(int w, int h, uint32_t seed)
{
    CComPicture p;
    p.CreateBlank(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.Row(y)[x] = (static_cast<uint32_t>(x) * 2654435761u ^ static_cast<uint32_t>(y) * seed) & 0xFFFFFF;
    return p;
}

void BM_RegionEffect(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    const bool full = state.range(1) != 0;
    const CComPicture background = Filled(kW, kH, 40503u);
    const CComPicture slide = full ? Filled(kW, kH, 7u) : Filled(1280, 960, 7u);
    CComPicture canvas;
    canvas.CreateBlank(kW, kH, 0);
    EffectRunOptions options;
    options.index = index;
    options.step = 10;
    options.at = {(kW - slide.Width()) / 2, (kH - slide.Height()) / 2};
    EffectRunResult result;
    double cpuMs = 0;
    for (auto _ : state) {
        const double before = ThreadCpuMs();
        result = RunEffect(canvas, background, slide, options);
        cpuMs = ThreadCpuMs() - before;
    }
    // CPU time of the drawing thread: the machine's other load does not count.
    state.counters["frames"] = result.frames;
    state.counters["ms/frame"] = result.frames ? cpuMs / result.frames : 0;
    state.counters["wall ms/frame"] = result.frames ? result.drawingSeconds * 1000.0 / result.frames : 0;
    state.counters["of delay"] = result.nominalMs ? cpuMs / static_cast<double>(result.nominalMs) : 0;
    state.SetLabel(EffectName(index));
}

void Arguments(benchmark::internal::Benchmark* b)
{
    for (int index : kIndices)
        for (int full : {1, 0})
            b->Args({index, full});
}
BENCHMARK(BM_RegionEffect)->Apply(Arguments)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

// Drawing speed at full-HD: block copy (and at 4K) against memcpy of the same bytes, HALFTONE reduction of a large
// photo and of a slide into a smaller rectangle, a copy through a region of 100 polygons.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gfx/Picture.h"

namespace {

constexpr int kW = 1920, kH = 1080;

Picture Noise(int w, int h)
{
    Picture p;
    p.CreateBlank(w, h, 0);
    uint32_t state = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            p.Row(y)[x] = state >> 8;
        }
    return p;
}

void BM_MemcpyFrame(benchmark::State& state)
{
    std::vector<uint32_t> a(static_cast<size_t>(kW) * kH, 1), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(a.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_MemcpyFrame);

// A whole frame at full HD and at 4K (both cores take half the rows each).
void BM_BitBltFrame(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    Picture src = Noise(w, h), dst;
    dst.CreateBlank(w, h, 0);
    for (auto _ : state) {
        dst.BitBlt(0, 0, w, h, src, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(w) * h * 4);
}
BENCHMARK(BM_BitBltFrame)->Args({kW, kH})->Args({3840, 2160});

void BM_HalftoneReduce6000x4000(benchmark::State& state)
{
    Picture src = Noise(6000, 4000), dst;
    dst.CreateBlank(kW, kH, 0);
    dst.SetStretchBltMode(kHalftone);
    for (auto _ : state) {
        dst.StretchBlt(0, 0, kW, kH, src, 0, 0, 6000, 4000);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HalftoneReduce6000x4000)->Unit(benchmark::kMillisecond);

void BM_HalftoneEnlarge640x480(benchmark::State& state)
{
    Picture src = Noise(640, 480), dst;
    dst.CreateBlank(kW, kH, 0);
    dst.SetStretchBltMode(kHalftone);
    for (auto _ : state) {
        dst.StretchBlt(0, 0, kW, kH, src, 0, 0, 640, 480);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HalftoneEnlarge640x480)->Unit(benchmark::kMillisecond);

// A slide squeezed into a rectangle a little smaller, as the last frames of a stretch from a corner draw it
// (args: the destination's size in per mille of the slide's, the slide's width; 16:9).
void BM_HalftoneSlideSqueeze(benchmark::State& state)
{
    const int sw = static_cast<int>(state.range(1)), sh = sw * 9 / 16;
    Picture src = Noise(sw, sh), dst;
    dst.CreateBlank(sw, sh, 0);
    dst.SetStretchBltMode(kHalftone);
    const int w = static_cast<int>(sw * state.range(0) / 1000), h = static_cast<int>(sh * state.range(0) / 1000);
    for (auto _ : state) {
        dst.StretchBlt(0, 0, w, h, src, 0, 0, sw, sh);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HalftoneSlideSqueeze)->ArgsProduct({{100, 500, 850, 950, 995}, {kW, 3840}})->Unit(benchmark::kMillisecond);

// A 10 x 10 field of triangles, as the triangle effects build each frame.
Region HundredTriangles(int grow)
{
    Region region;
    const int cw = kW / 10, ch = kH / 10;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            const int cx = i * cw + cw / 2, cy = j * ch + ch / 2;
            const std::vector<Point> tri{{cx, cy - grow}, {cx + grow, cy + grow}, {cx - grow, cy + grow}};
            region.Combine(Region::FromPolygon(tri, PolyFillMode::Winding), RegionOp::Or);
        }
    return region;
}

void BM_BuildHundredPolygonRegion(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(HundredTriangles(50));
}
BENCHMARK(BM_BuildHundredPolygonRegion)->Unit(benchmark::kMillisecond);

void BM_CopyThroughHundredPolygons(benchmark::State& state)
{
    Picture src = Noise(kW, kH), dst;
    dst.CreateBlank(kW, kH, 0);
    const Region region = HundredTriangles(50);
    for (auto _ : state) {
        dst.SelectClipRgn(&region);
        dst.BitBlt(0, 0, kW, kH, src, 0, 0);
        dst.SelectClipRgn(nullptr);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyThroughHundredPolygons)->Unit(benchmark::kMillisecond);

} // namespace

// One frame of a wedge wipe at 4K, step by step: the wedge as a region (1081 one-row bands), what it adds to
// the wedge of the frame before, and the copy of those pixels.
constexpr int k4KW = 3840, k4KH = 2160;
Region Wedge4K(int k)
{
    return Region::FromPolygon({{k4KW / 2 + k, 0}, {k4KW / 2 + 1, k4KH / 2 + 1}, {k4KW / 2 - k, 0}},
                               PolyFillMode::Winding);
}

void BM_Wedge4KPolygon(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Wedge4K(600));
}
BENCHMARK(BM_Wedge4KPolygon);

void BM_Wedge4KAdded(benchmark::State& state)
{
    const Region before = Wedge4K(600), after = Wedge4K(602);
    for (auto _ : state)
        benchmark::DoNotOptimize(Region::Combine(after, before, RegionOp::Diff));
}
BENCHMARK(BM_Wedge4KAdded);

void BM_Wedge4KCopyAdded(benchmark::State& state)
{
    Picture src = Noise(k4KW, k4KH), dst;
    dst.CreateBlank(k4KW, k4KH, 0);
    const Region added = Region::Combine(Wedge4K(602), Wedge4K(600), RegionOp::Diff);
    for (auto _ : state) {
        dst.CopyThrough(src, added);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Wedge4KCopyAdded);

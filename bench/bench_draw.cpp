// Drawing speed at full-HD: block copy against memcpy of the same bytes, HALFTONE reduction of a large
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

void BM_BitBltFrame(benchmark::State& state)
{
    Picture src = Noise(kW, kH), dst;
    dst.CreateBlank(kW, kH, 0);
    for (auto _ : state) {
        dst.BitBlt(0, 0, kW, kH, src, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kW) * kH * 4);
}
BENCHMARK(BM_BitBltFrame);

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

// A full-HD slide squeezed into a rectangle a little smaller, as the last frames of a stretch from a corner
// draw it (arg: the destination's size in per mille of the slide's).
void BM_HalftoneSlideSqueeze(benchmark::State& state)
{
    Picture src = Noise(kW, kH), dst;
    dst.CreateBlank(kW, kH, 0);
    dst.SetStretchBltMode(kHalftone);
    const int w = static_cast<int>(kW * state.range(0) / 1000), h = static_cast<int>(kH * state.range(0) / 1000);
    for (auto _ : state) {
        dst.StretchBlt(0, 0, w, h, src, 0, 0, kW, kH);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HalftoneSlideSqueeze)->Arg(100)->Arg(500)->Arg(850)->Arg(950)->Unit(benchmark::kMillisecond);

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

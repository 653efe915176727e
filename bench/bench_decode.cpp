// Decoding a 24-megapixel JPEG (6000 x 4000), made in memory at start-up with libjpeg, through the
// decoder alone, through a picture loaded from a database stream, and on to a slide fitted into 1920 x 1080
// as the slide player makes it (reduced DCT scale, then the halftone stretch). QM_BENCH_JPEG=FILE takes a
// JPEG of one's own for the slide instead.
//   build/<dir>/bench/bench_decode
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/TestJpeg.h"

#include "codecs/JpegDecoder.h"
#include "codecs/PictureLoad.h"
#include "codecs/ScaledJpeg.h"
#include "db/MemoryFile.h"
#include "gfx/Picture.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A photo-like test image: smooth gradients with some texture, quality 90, 4:2:0; with a restart marker after
// every row of MCUs when `restarts`, as cameras and scrpack write them.
std::vector<uint8_t> MakeBigJpeg(bool restarts)
{
    return testjpeg::Encode(kWidth, kHeight, {.quality = 90, .restartRows = restarts ? 1 : 0},
                            [noise = uint32_t(12345)](int y, JSAMPLE* row) mutable {
                                for (int x = 0; x < kWidth; ++x) {
                                    noise = noise * 1103515245 + 12345;
                                    int n = static_cast<int>((noise >> 16) & 15);
                                    row[3 * x] = static_cast<uint8_t>((x * 255 / kWidth + n) & 0xFF);
                                    row[3 * x + 1] = static_cast<uint8_t>((y * 255 / kHeight + n) & 0xFF);
                                    row[3 * x + 2] = static_cast<uint8_t>(((x + y) / 40 + n) & 0xFF);
                                }
                            });
}

const std::vector<uint8_t>& BigJpeg()
{
    static const std::vector<uint8_t> bytes = MakeBigJpeg(false);
    return bytes;
}

void BM_DecodeJpeg24MP(benchmark::State& state)
{
    const auto& jpeg = BigJpeg();
    for (auto _ : state) {
        DecodedImage image;
        if (!DecodeJpeg(jpeg.data(), jpeg.size(), image))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.counters["MB"] = static_cast<double>(jpeg.size()) / 1e6;
    state.counters["Mpixel/s"] =
        benchmark::Counter(double(kWidth) * kHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeJpeg24MP)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_PictureFromStream24MP(benchmark::State& state)
{
    const auto& jpeg = BigJpeg();
    MemoryFile stream;
    stream.Write(jpeg.data(), jpeg.size());
    for (auto _ : state) {
        Picture picture;
        if (LoadFromStream(picture, stream, "photo.jpg") != 1)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(picture.Pixels());
    }
}
BENCHMARK(BM_PictureFromStream24MP)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The JPEG to a slide fitted into 1920 x 1080: decoded at the smallest eighth that still covers the slide,
// then stretched with halftone onto the screen-sized canvas. Arg 1: as the slide player does it, the decode
// shared between two threads by bands; arg 0: in one band; arg 2: in two bands, the picture written with
// restart markers (as scrpack stores large JPEGs), where the lower band's decoder starts midway.
void BM_SlideFromJpeg24MP(benchmark::State& state)
{
    std::vector<uint8_t> jpeg = state.range(0) == 2 ? MakeBigJpeg(true) : BigJpeg();
    if (const char* path = std::getenv("QM_BENCH_JPEG")) {
        std::ifstream file(path, std::ios::binary);
        jpeg.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    int w = 0, h = 0;
    if (!ReadScalableJpegSize(jpeg.data(), jpeg.size(), w, h)) {
        state.SkipWithError("not a JPEG");
        return;
    }
    const int destW = w * 1080 > h * 1920 ? 1920 : static_cast<int>(int64_t{w} * 1080 / h);
    const int destH = w * 1080 > h * 1920 ? static_cast<int>(int64_t{h} * 1920 / w) : 1080;
    Picture canvas;
    canvas.CreateBlank(1920, 1080, 0);
    canvas.SetStretchBltMode(kHalftone);
    const uint64_t splitFrom = SplitJpegDecodesFrom(UINT64_MAX);
    if (state.range(0) != 0)
        SplitJpegDecodesFrom(splitFrom);
    for (auto _ : state) {
        Picture picture;
        if (!DecodeJpegAtScale(jpeg.data(), jpeg.size(), JpegScaleFor(w, h, destW, destH), picture)) {
            state.SkipWithError("decode failed");
            break;
        }
        canvas.StretchBlt((1920 - destW) / 2, (1080 - destH) / 2, destW, destH, picture, 0, 0, picture.Width(),
                          picture.Height());
        benchmark::DoNotOptimize(canvas.Pixels());
    }
    SplitJpegDecodesFrom(splitFrom);
    state.counters["MB"] = static_cast<double>(jpeg.size()) / 1e6;
}
BENCHMARK(BM_SlideFromJpeg24MP)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

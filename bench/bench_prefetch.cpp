// A large photo as the next slide: from the end of the display time (the player asked to show the item) to
// the first frame of its transition on the window, on the real clock, in a full-HD window or at
// QM_BENCH_SIZE=WxH. The photo is 8000 x 6000 (48 megapixels, made with libjpeg at start-up, with a restart
// marker after every row of blocks, as scrpack stores large JPEGs), or QM_BENCH_JPEG=FILE. Arg 1: the picture
// was prepared while the slide before was shown, as the show does; arg 0: it is decoded when it is due.
//
//   QM_BENCH_SIZE=3840x2160 build/native/bench/bench_prefetch
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "BenchPictures.h"
#include "support/SlideTestProject.h"
#include "support/TestJpeg.h"

#include "model/MediaSettingsRecord.h"
#include "slides/SlidePlayer.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

std::string BigJpeg()
{
    if (const char* path = std::getenv("QM_BENCH_JPEG")) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    constexpr int kW = 8000, kH = 6000;
    const std::vector<uint8_t> bytes =
        testjpeg::Encode(kW, kH, {.quality = 90, .restartRows = 1}, [noise = uint32_t(7)](int y, JSAMPLE* row) mutable {
            for (int x = 0; x < kW; ++x) {
                noise = noise * 1103515245 + 12345;
                const int n = static_cast<int>((noise >> 16) & 15);
                row[3 * x] = JSAMPLE((x * 255 / kW + n) & 0xFF);
                row[3 * x + 1] = JSAMPLE((y * 255 / kH + n) & 0xFF);
                row[3 * x + 2] = JSAMPLE(((x + y) / 50) & 0xFF);
            }
        });
    return std::string(bytes.begin(), bytes.end());
}

// A window of the screen's size on the real clock that notes when the first frame reaches it.
class TimedWindow final : public ISlideWindowHost {
public:
    void Present(const Picture&, int, int, int, int) override
    {
        if (!shown.exchange(true))
            firstFrame = SteadyClock::now();
    }
    void Post(uint32_t, uint32_t) override { }
    Size ParentSize() override { return BenchSize(); }
    Size WindowSize() override { return BenchSize(); }
    void ShowWindow(bool) override { }
    void PostToParent(uint32_t) override { }
    IClock& WindowClock() override { return SystemClock(); }

    std::atomic<bool> shown{false};
    SteadyClock::time_point firstFrame;
};

void BM_NextSlideFirstFrame(benchmark::State& state)
{
    const bool prepared = state.range(0) != 0;
    static const std::string photo = BigJpeg();
    SlideTestProject project;
    project.SetProjectI32(ProjectOptions::kMediaInDatabase, 1);
    project.SetProjectI32(ProjectOptions::kScaleMode, 1);
    project.SetProjectI32(ProjectOptions::kSlideBackgroundMode, 1);
    for (const char* name : {"small.bmp", "photo.jpg"}) {
        SlideTestItem item;
        item.fileName = name;
        item.effect = "0;"; // Band down large
        item.SetFlag(MediaSettingsRecord::kTransition, true);
        item.SetI32(MediaSettingsRecord::kTransitionSpeed, 10);
        project.items.push_back(item);
    }
    project.media = {{"small.bmp", MakeBmp(64, 48, [](int x, int) { return x < 32 ? 0xFF0000u : 0x0000FFu; })},
                     {"photo.jpg", photo}};
    if (!project.Open(StandardRandom())) {
        state.SkipWithError("cannot open the project");
        return;
    }
    double ms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TimedWindow window;
        SlidePlayer player(window);
        player.OnInitDialog();
        player.SetMode(StartMode::Saver);
        player.SetSettings(nullptr, &project.info);
        player.SetMedia(&project.Media());
        player.SetDatabase(&project.db);
        while (project.settings->GetCurrentIndex() != 0) // the small slide
            project.settings->SelectNext(false);
        player.ShowSlide(project.settings.get());
        player.WaitForTransition();
        player.OnTransitionDone(player.TransitionSerial()); // the slide is shown: nothing left to stop
        if (prepared)
            player.PrepareSlide("photo.jpg", false, 100);
        // The display time: long enough for the photo's decoding.
        std::this_thread::sleep_for(std::chrono::seconds(3));
        project.settings->SelectNext(false);
        window.shown = false;
        state.ResumeTiming();
        const auto due = SteadyClock::now();
        player.ShowSlide(project.settings.get());
        while (!window.shown)
            std::this_thread::yield();
        ms = std::chrono::duration<double, std::milli>(window.firstFrame - due).count();
        state.PauseTiming();
        player.StopTransition();
        state.ResumeTiming();
    }
    state.counters["first_frame_ms"] = ms;
}
// Three runs each, the median the figure.
BENCHMARK(BM_NextSlideFirstFrame)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

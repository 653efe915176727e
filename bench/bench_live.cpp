// The live show's window at full HD, or at QM_BENCH_SIZE=WxH (needs a display as large: run it under
// scripts/with-xvfb --screen 1920x1080x24, or --screen 3840x2160x24 for 4K).
// BM_LivePresent: one full frame of the front buffer shown (copied into the window's surface and put on
// screen). BM_LiveTransition: a transition's whole run on the real clock while the window shows its
// frames as the live show does, against frames x nominal delay.
//
//   scripts/with-xvfb --screen 1920x1080x24 build/native/bench/bench_live
//   QM_BENCH_SIZE=3840x2160 scripts/with-xvfb --screen 3840x2160x24 build/native/bench/bench_live
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "BenchPictures.h"
#include "live/FrontBuffer.h"
#include "live/LiveWindow.h"
#include "platform/Clock.h"
#include "transitions/EffectNames.h"
#include "transitions/EffectRun.h"
#include "transitions/TransitionRequest.h"

namespace {

const int kW = BenchSize().cx, kH = BenchSize().cy;

LiveWindow* SharedWindow()
{
    static LiveWindow window;
    static bool opened = [] {
        LiveTarget target;
        target.kind = LiveTarget::Kind::Window;
        target.width = kW;
        target.height = kH;
        std::string error;
        if (!window.Open(target, 0, "bench_live", error)) {
            std::fprintf(stderr, "bench_live: %s\n", error.c_str());
            return false;
        }
        return true;
    }();
    return opened ? &window : nullptr;
}

// What the live window's loop does between frames: shows what changed when the display is due for it, then
// waits for the next change.
void ShowUntil(LiveWindow& window, FrontBuffer& buffer, const std::atomic<bool>& done)
{
    SDL_Event event;
    while (!done) {
        const uint32_t presentIn = window.PresentPaced(&buffer);
        if (window.Wait(event, presentIn > 0 ? presentIn : 100))
            while (window.Poll(event)) {
            }
    }
    window.Present(&buffer);
}

class BufferWindow final : public ITransitionWindow {
public:
    explicit BufferWindow(FrontBuffer& buffer) : buffer_(buffer) { }
    void Present(const Picture& canvas, int x, int y, int width, int height) override
    {
        buffer_.Write(canvas, Rect::FromSize(x, y, width, height));
    }
    void PresentChanges(const Picture& canvas, const std::vector<Rect>& rects,
                        const std::vector<Region>& regions) override
    {
        buffer_.Write(canvas, rects, regions);
    }
    void Post(uint32_t, uint32_t) override { }

private:
    FrontBuffer& buffer_;
};

void BM_LivePresent(benchmark::State& state)
{
    LiveWindow* window = SharedWindow();
    if (!window) {
        state.SkipWithError("no display");
        return;
    }
    const Picture frames[2] = {Pattern(kW, kH, 1), Pattern(kW, kH, 2)};
    FrontBuffer buffer;
    int n = 0;
    // The drawing side's copy into the front buffer is the worker's, not the present's.
    for (auto _ : state) {
        state.PauseTiming();
        buffer.Write(frames[n++ & 1], Rect{0, 0, kW, kH});
        state.ResumeTiming();
        window->Present(&buffer);
    }
}
BENCHMARK(BM_LivePresent)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LiveTransition(benchmark::State& state)
{
    LiveWindow* window = SharedWindow();
    if (!window) {
        state.SkipWithError("no display");
        return;
    }
    const int index = static_cast<int>(state.range(0));
    static const Picture background = Pattern(kW, kH, 3), slide = Pattern(kW * 2 / 3, kH * 8 / 9, 4);
    Picture canvas;
    canvas.CreateBlank(kW, kH, 0);
    FrontBuffer buffer;
    buffer.onChange = [window] { window->Wake(); };
    BufferWindow target(buffer);
    EffectRunOptions options;
    options.index = index;
    options.step = 10;
    options.at = {(kW - slide.Width()) / 2, (kH - slide.Height()) / 2};
    const EffectRunResult planned = RunEffect(canvas, background, slide, options);
    options.clock = &SystemClock();
    options.window = &target;
    EffectRunResult real;
    for (auto _ : state) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            real = RunEffect(canvas, background, slide, options);
            done = true;
            window->Wake();
        });
        ShowUntil(*window, buffer, done);
        worker.join();
    }
    state.counters["frames"] = real.frames;
    state.counters["nominal_ms"] = static_cast<double>(planned.nominalMs);
    state.counters["wall_ms"] = real.wallSeconds * 1000.0;
    state.counters["ratio"] = planned.nominalMs ? real.wallSeconds * 1000.0 / planned.nominalMs : 0;
    state.SetLabel(EffectName(index));
}
// Effects from each family: bands, lines and blinds, region shapes, moves, buffered ones and stretches.
BENCHMARK(BM_LiveTransition)
    ->Arg(0)
    ->Arg(21)
    ->Arg(45)
    ->Arg(70)
    ->Arg(95)
    ->Arg(120)
    ->Arg(145)
    ->Arg(160)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

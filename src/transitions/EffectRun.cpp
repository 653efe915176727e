#include "transitions/EffectRun.h"

#include <atomic>
#include <chrono>
#include <optional>

#include "gfx/Picture.h"
#include "platform/Clock.h"
#include "transitions/TimerResolution.h"
#include "transitions/TransitionEngine.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

class FrameRecorder final : public ITransitionTrace {
public:
    FrameRecorder(const EffectRunOptions& options, const EffectFrameCallback& onFrame, std::atomic<int>& stop)
        : options_(options), onFrame_(onFrame), stop_(stop)
    {
    }

    void FrameEnd(const Picture& canvas, uint32_t delayMs, const std::vector<Rect>& presented) override
    {
        const auto begin = SteadyClock::now();
        EffectFrame frame{frames, delayMs, presented};
        nominalMs += delayMs;
        if (onFrame_)
            onFrame_(canvas, frame);
        if (options_.stopAfter >= 0 && frames >= options_.stopAfter)
            stop_.store(1);
        ++frames;
        outside += SteadyClock::now() - begin;
    }

    int frames = 0;
    uint64_t nominalMs = 0;
    SteadyClock::duration outside{};

private:
    const EffectRunOptions& options_;
    const EffectFrameCallback& onFrame_;
    std::atomic<int>& stop_;
};

class NoWindow final : public ITransitionWindow {
public:
    void Present(const Picture&, int, int, int, int) override { }
    void Post(uint32_t, uint32_t) override { }
};

} // namespace

EffectRunResult RunEffect(Picture& canvas, const Picture& background, const Picture& slide,
                          const EffectRunOptions& options, const EffectFrameCallback& onFrame)
{
    std::atomic<int> stop{0};
    VirtualClock clock(options.startTick);
    FrameRecorder recorder(options, onFrame, stop);
    NoWindow window;

    TransitionRequest request;
    request.window = options.window ? options.window : &window;
    request.background = const_cast<Picture*>(&background);
    request.slide = const_cast<Picture*>(&slide);
    request.canvas = &canvas;
    request.effectIndex = options.index;
    request.slideLeft = options.at.x;
    request.slideTop = options.at.y;
    request.step = options.step;
    request.stopFlag = &stop;
    request.clock = options.clock ? options.clock : &clock;
    request.trace = &recorder;
    request.effect = options.effect;
    request.pacing = options.pacing;

    std::optional<TimerResolutionScope> fineSleeps; // on the real clock, as the transition thread runs
    if (options.clock)
        fineSleeps.emplace();
    const auto begin = SteadyClock::now();
    TransitionEngine engine(request);
    engine.RunTransition();
    const auto total = SteadyClock::now() - begin;

    EffectRunResult result;
    result.frames = recorder.frames;
    result.nominalMs = recorder.nominalMs;
    result.drawingSeconds = std::chrono::duration<double>(total - recorder.outside).count();
    result.wallSeconds = std::chrono::duration<double>(total).count();
    result.completed = stop.load() == 0;
    result.stepAfter = engine.Step();
    return result;
}

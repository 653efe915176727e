#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "gfx/Geometry.h"
#include "transitions/TransitionRequest.h"

class Picture;
class IClock;
struct EffectEntry;

// One transition run on the calling thread in virtual time, frame by frame: for the trace command, tests
// and benchmarks. The canvas must be window-sized; background and slide as for a real transition.
struct EffectRunOptions {
    int index = 0;
    Point at;                            // the slide's window position
    int step = 10;                       // the Speed value
    int stopAfter = -1;                  // raise the stop flag after this frame (0-based); -1: never
    const EffectEntry* effect = nullptr; // instead of the table's entry
    uint32_t startTick = 0;              // the virtual clock's start, which seeds the random numbers
    IClock* clock = nullptr;             // instead of virtual time (the real clock: timing whole runs)
    ITransitionWindow* window = nullptr; // sees the presented rectangles; none when null
    FramePacing pacing = FramePacing::ByClock;
};

struct EffectFrame {
    int number = 0;
    uint32_t delayMs = 0;
    std::vector<Rect> presented;
};

struct EffectRunResult {
    int frames = 0;            // drawn (display-paced, late frames may be left out)
    uint64_t nominalMs = 0;    // sum of the frames' delays and pauses
    double drawingSeconds = 0; // real time spent drawing, the frame callbacks excluded
    double wallSeconds = 0;    // real time of the whole run, callbacks and delays included
    bool completed = false;    // ran to its end: the done message would be posted
    int stepAfter = 0;         // the step once the effect returned
};

// Called at every frame end with the canvas as it stands then.
using EffectFrameCallback = std::function<void(const Picture& canvas, const EffectFrame& frame)>;

EffectRunResult RunEffect(Picture& canvas, const Picture& background, const Picture& slide,
                          const EffectRunOptions& options, const EffectFrameCallback& onFrame = {});

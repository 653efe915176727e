#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

#include "gfx/Geometry.h"

class Picture;
class AutoResetEvent;
class Region;
class IClock;
class DiagnosticLog;
struct EffectEntry;

// The window a transition draws on. Called from the worker thread.
class ITransitionWindow {
public:
    virtual ~ITransitionWindow() = default;
    // The canvas's rectangle (window coordinates) has new pixels: show them on the window.
    virtual void Present(const Picture& canvas, int x, int y, int width, int height) = 0;
    // Only the region's pixels have changed (a field of thin shapes): a window that can clip shows just
    // those; the others show the region's bounds.
    virtual void PresentRegion(const Picture& canvas, const Region& region);
    // One present: everything that changed since the last, shown together. A window whose screen is taken
    // from another thread shows them at once, so no screen holds half of them; the others present each.
    virtual void PresentChanges(const Picture& canvas, const std::vector<Rect>& rects,
                                const std::vector<Region>& regions);
    // Posts a message with this wParam and lParam 0 to the window.
    virtual void Post(uint32_t message, uint32_t wParam) = 0;
};

// Sees every frame of a transition as it ends: the canvas as it stands before the frame's delay, the delay
// that follows (0 when the frame ends the effect early) and the rectangles presented during the frame.
// For tracing effects; called on the worker thread.
class ITransitionTrace {
public:
    virtual ~ITransitionTrace() = default;
    virtual void FrameEnd(const Picture& canvas, uint32_t delayMs, const std::vector<Rect>& presented) = 0;
};

// How a transition paces what it shows.
enum class FramePacing {
    // As a display on the system clock, every frame on any other clock (virtual time).
    ByClock,
    // Every frame presented as it ends and none left undrawn: what traces and renders record.
    EveryFrame,
    // As a display shows it: at most one present per refresh, carrying everything changed since the last,
    // and a run late on its clock leaves out frames whose pixels the next frame draws over wholly.
    Display,
};

// Everything a transition needs, filled by the slide window for every slide and read by the worker.
struct TransitionRequest {
    ITransitionWindow* window = nullptr;
    Picture* background = nullptr; // window-sized, painted first
    Picture* slide = nullptr;      // the new slide; its size is the slide size
    Picture* canvas = nullptr;     // window-sized copy of what the window shows
    int effectIndex = -1;          // -1 to kEffectCount - 1
    bool transitionEnabled = true; // false: the slide appears at once
    int slideLeft = 0;
    int slideTop = 0;
    int step = 1;                         // pixels per frame for step-driven effects
    std::atomic<int>* stopFlag = nullptr; // nonzero asks the transition to stop
    AutoResetEvent* completion = nullptr; // set when the worker ends
    IClock* clock = nullptr;              // frame delays; the system clock when null
    DiagnosticLog* log = nullptr;         // the begin and end lines; the process's log when null
    ITransitionTrace* trace = nullptr;    // sees every frame when set
    const EffectEntry* effect = nullptr;  // runs instead of the table's entry for the index (trying effects out)
    uint32_t serial = 0; // the done message's wParam: tells a late message of an earlier transition apart
    FramePacing pacing = FramePacing::ByClock;
    // The canvas holds the background already (the caller copied one from the other): it is only shown.
    bool canvasShowsBackground = false;
};

// The worker thread's body: runs the transition, posts the done message (wParam: the request's serial)
// unless stopped, sets the completion event. Always returns 1.
int TransitionThreadProc(TransitionRequest* request);

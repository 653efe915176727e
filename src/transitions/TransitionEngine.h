#pragma once
#include <cstdint>

#include "transitions/TransitionRequest.h"

class Region;

// One transition, on the worker thread's stack: paints the background, reveals the slide with the chosen
// effect and ends. Every helper draws into the canvas and presents the same rectangle to the window, so a
// repaint from the canvas always shows what the screen shows.
//
// Effects are written as frame loops over these helpers:
//
//     TransitionEngine::StepOverride fixed(engine, 2);   // the caller's step comes back on every return
//     for (int p = 0; p < engine.SlideHeight(); p += engine.Step()) {
//         engine.CopySlideRect(...);
//         if (!engine.EndFrame(10))                        // stop check, then the frame delay
//             break;
//     }
//     engine.CopyWholeSlide();                             // for effects that end with a whole copy
class TransitionEngine {
public:
    explicit TransitionEngine(const TransitionRequest& request);
    TransitionEngine(const TransitionEngine&) = delete;
    TransitionEngine& operator=(const TransitionEngine&) = delete;

    // The dispatcher: background, log lines, the effect (or the plain copy), log line.
    void RunTransition();

    // ---- drawing helpers (slide coordinates are relative to the slide's top-left corner)
    void CopySlideRect(int left, int top, int right, int bottom, int sourceX, int sourceY);
    void CopyRectAbs(int x, int y, int width, int height, int sourceX, int sourceY);
    void CopySlideAt(int x, int y);
    void CopyPictureAt(int x, int y, const CComPicture& picture);
    void CopyPictureRect(int x, int y, int width, int height, const CComPicture& picture, int sourceX, int sourceY);
    void StretchSlideRect(int left, int top, int right, int bottom, const CComPicture& picture, int sourceX,
                          int sourceY, int sourceWidth, int sourceHeight);
    // Sets the stretch mode used by StretchSlideRect; returns the previous one.
    int SetStretchModeBoth(int mode);
    // The whole slide at (x, y) (window coordinates), only inside the region (window coordinates).
    void CopySlideClipped(int x, int y, const Region& region);

    // ---- frame loop machinery
    // True once the caller has asked the transition to stop (read fresh every time).
    bool StopRequested() const;
    // Ends a frame: false when a stop was asked for (leave the loop at once, no delay), otherwise sleeps
    // the frame delay and returns true.
    bool EndFrame(uint32_t delayMs);
    // A pause between two phases of an effect (no stop check).
    void Pause(uint32_t ms);
    // The closing copy of the whole slide to its place.
    void CopyWholeSlide();
    // Seeds the process's random sequence from the clock, as every transition does at its start.
    void Reseed();

    // Replaces the step for an effect's run and puts the caller's value back on every return path.
    class StepOverride {
    public:
        StepOverride(TransitionEngine& engine, int step) : engine_(engine), saved_(engine.step_)
        {
            engine.step_ = step;
        }
        ~StepOverride() { engine_.step_ = saved_; }
        StepOverride(const StepOverride&) = delete;
        StepOverride& operator=(const StepOverride&) = delete;

    private:
        TransitionEngine& engine_;
        int saved_;
    };

    // ---- what effects read
    int Step() const { return step_; }
    int SlideWidth() const { return slideWidth_; }
    int SlideHeight() const { return slideHeight_; }
    int SlideLeft() const { return slideLeft_; }
    int SlideTop() const { return slideTop_; }
    int CanvasWidth() const { return canvasWidth_; }
    int CanvasHeight() const { return canvasHeight_; }
    int EffectIndex() const { return effectIndex_; }
    const CComPicture& Background() const { return *background_; }
    const CComPicture& Slide() const { return *slide_; }
    CComPicture& Canvas() { return *canvas_; }
    IClock& Clock() const { return *clock_; }
    // Shows a canvas rectangle (window coordinates) that an effect drew into directly.
    void Present(int x, int y, int width, int height);

private:
    ITransitionWindow* window_;
    CComPicture* background_;
    CComPicture* slide_;
    CComPicture* canvas_;
    int effectIndex_;
    bool noTransition_;
    int slideLeft_;
    int slideTop_;
    int step_;
    std::atomic<int>* stopFlag_;
    int slideWidth_;
    int slideHeight_;
    int canvasWidth_;
    int canvasHeight_;
    IClock* clock_;
    CLog* log_;
};

// One effect: draws the whole reveal of `index` with the engine's helpers.
using EffectFunction = void (*)(TransitionEngine& engine, int index);

// The effect of an index 0..160, or null where none is built yet (the slide then appears at once).
EffectFunction FindEffect(int index);

// Runs `effect` for `index` instead of the listed one (null puts the listed one back); returns the previous
// replacement. Set it before the transition's thread starts. For trying an effect out and for tests.
EffectFunction SetEffectOverride(int index, EffectFunction effect);

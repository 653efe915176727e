#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "gfx/Geometry.h"
#include "transitions/ChangedTiles.h"
#include "transitions/EffectTable.h"
#include "transitions/TransitionRequest.h"

class Region;

// What one frame of an effect does to the frames before it, which decides whether a run late on its clock
// may leave it undrawn (FramePacing::Display).
enum class FrameKind {
    // Draws onto what the frames before left (bands, lines, reveals): always drawn.
    Adds,
    // The next frame draws over all this one changes (moves, stretches, buffered frames, regions that only
    // grow): a late run may leave it out and go on with the next, which ends exactly as it would have.
    Overwrites,
};

// One transition, on the worker thread's stack: paints the background, reveals the slide with the chosen
// effect and ends. Helpers draw into the canvas and note the rectangles they changed; presenting takes
// those to the window, so the window shows exactly what the canvas held at some frame end, and a repaint
// from the canvas never disagrees with the screen. Traces and renders present every frame as it ends; on a
// display at most one present per refresh carries what the frames since the last one changed.
//
// Effects are frame loops over the helpers (see EffectKit.h for the loops):
//
//     TransitionEngine::StepOverride fixed(fx, 2);   // the caller's step comes back on every return
//     for (int p = 0; p < fx.SlideHeight(); p += fx.Step()) {
//         fx.CopySlide(Rect{0, p, fx.SlideWidth(), p + 2});
//         if (!fx.EndFrame(10))                      // presents, checks the stop flag, then the delay
//             break;
//     }
//     fx.CopyWholeSlide();                           // for effects that end with a whole copy
//
// Effects never sleep or read the clock themselves, and take their random numbers from Rand(). A frame that
// may be left undrawn begins with BeginFrame (the kit's loops do that); while it is left out, the drawing
// helpers change nothing.
class TransitionEngine {
public:
    explicit TransitionEngine(const TransitionRequest& request);
    TransitionEngine(const TransitionEngine&) = delete;
    TransitionEngine& operator=(const TransitionEngine&) = delete;

    // The dispatcher: background, log lines, the effect (or the plain copy), log line.
    void RunTransition();

    // ---- drawing in slide coordinates, clipped to the slide (what effects use)
    // The slide's own pixels of r, in place.
    void CopySlide(const Rect& r);
    // The slide's pixels from `source` (top-left) into r: a piece shown away from its place.
    void CopySlide(const Rect& r, Point source);
    // The background under r: what was there before the slide (restores the trail of a moving piece).
    void CopyBackground(const Rect& r);
    // The whole slide, only inside the region.
    void CopySlideThrough(Region region);
    // A slide-sized picture composed by the effect, shown at the slide's place: whole, or only its part
    // (slide coordinates).
    void ShowPicture(const Picture& picture);
    void ShowPicture(const Picture& picture, const Rect& part);
    // Lets draw(canvas, at) change the canvas's pixels inside the rectangles (slide coordinates; `at` is the
    // slide's window position) directly, then shows them: for pieces too fine for block copies. draw must
    // stay inside both the rectangles and the canvas.
    template <class Draw> void DrawOnCanvas(std::initializer_list<Rect> changed, Draw&& draw)
    {
        if (!canvas_ || dropping_)
            return;
        slideWhole_ = false;
        draw(*canvas_, Point{slideLeft_, slideTop_});
        for (const Rect& r : changed) {
            const Rect c = r.Intersect(SlideBounds());
            Touch(slideLeft_ + c.left, slideTop_ + c.top, c.Width(), c.Height());
        }
    }
    // Fills a picture with the background under the slide, making it slide-sized.
    void BackgroundUnderSlide(Picture& picture) const;
    // The picture's source rectangle stretched into the slide rectangle (left, top)-(right, bottom); a
    // rectangle given right to left or bottom to top mirrors.
    void StretchSlideRect(int left, int top, int right, int bottom, const Picture& picture, int sourceX, int sourceY,
                          int sourceWidth, int sourceHeight);
    // Sets the stretch mode used by StretchSlideRect; returns the previous one.
    int SetStretchModeBoth(int mode);
    // The closing copy of the whole slide to its place.
    void CopyWholeSlide();

    // ---- frame loop machinery
    // Begins a frame of the kind, whose delay is delayMs. Display-paced, an overwriting frame that is not
    // `kept` (a loop keeps its first and last) is left undrawn when the frame after it is due already, or
    // when a closing frame that covers it is due `closesIn` delays from now (0: none known) and drawing this
    // one, as long as the last drawn frame and its present took, would still be under way then: false then,
    // and the helpers draw nothing until EndFrame. True for a frame that is drawn.
    bool BeginFrame(FrameKind kind, uint32_t delayMs, bool kept, long long closesIn = 0);
    // Whether the frame under way is being left undrawn.
    bool FrameDropped() const { return dropping_; }
    // Ends a frame: presents what the frame drew (display-paced: once the display is due for it); false
    // when a stop was asked for (leave the loop at once, no delay), otherwise sleeps the frame delay (none
    // after a frame left undrawn, whose time has passed) and returns true.
    bool EndFrame(uint32_t delayMs);
    // A pause between two phases of an effect: presents, then sleeps (no stop check).
    void Pause(uint32_t ms);
    // Reseeds the transition's random numbers from the clock, as every transition does at its start.
    void Reseed();
    // The next random number, 0 to 32767, from the transition's own sequence.
    int Rand();

    // Replaces the step for an effect's run and puts the caller's value back on every return path.
    class StepOverride {
    public:
        StepOverride(TransitionEngine& engine, int step) : engine_(engine), saved_(engine.step_)
        {
            engine.step_ = step < 1 ? 1 : step;
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
    Size SlideSize() const { return {slideWidth_, slideHeight_}; }
    Rect SlideBounds() const { return {0, 0, slideWidth_, slideHeight_}; }
    int SlideLeft() const { return slideLeft_; }
    int SlideTop() const { return slideTop_; }
    const Picture& Background() const { return *background_; }
    const Picture& Slide() const { return *slide_; }

private:
    friend class TransitionEngineProbe; // the engine's tests, on the window-coordinate copies

    // ---- the copies under the helpers above, in window coordinates unless they say otherwise; each notes
    // what it changed for the frame's end
    // The slide's pixels at (sourceX, sourceY) to the slide rectangle (left, top)-(right, bottom).
    void CopySlideRect(int left, int top, int right, int bottom, int sourceX, int sourceY);
    void CopyRectAbs(int x, int y, int width, int height, int sourceX, int sourceY);
    void CopyPictureAt(int x, int y, const Picture& picture);
    void CopyPictureRect(int x, int y, int width, int height, const Picture& picture, int sourceX, int sourceY);
    // The whole slide at (x, y), only inside the region.
    void CopySlideClipped(int x, int y, Region region);

    // True once the caller has asked the transition to stop (read fresh every time).
    bool StopRequested() const;
    // Whether the canvas shows the whole slide in its place (the part of it inside the window).
    bool SlideComplete() const;
    // Notes a changed canvas rectangle given as origin and extent (a negative extent covers the pixels on
    // the other side of the origin, as the copies take it).
    void Touch(int x, int y, int width, int height);
    // Presents what changed since the last present.
    void FlushPresent();
    bool HoldsChanges() const { return !dirty_.empty() || !dirtyRegions_.empty() || !dirtyTiles_.Empty(); }
    void FrameDone(uint32_t delayMs);
    // Sleeps a frame's delay or a pause; display-paced, the present held for the display goes out within
    // the sleep when it falls due. A run far behind its clock counts again from now, unless the frame was
    // overwriting: the frames after it catch up by being left out.
    void Wait(uint32_t ms, bool overwriting = false);

    ITransitionWindow* window_;
    Picture* background_;
    Picture* slide_;
    Picture* canvas_;
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
    DiagnosticLog* log_;
    ITransitionTrace* trace_;
    const EffectEntry* effect_;
    bool canvasShowsBackground_;
    uint32_t random_ = 1;
    std::vector<Rect> dirty_;
    ChangedTiles dirtyTiles_;          // where too many rectangles changed to keep each
    std::vector<Region> dirtyRegions_; // changed pixels that fill little of their bounds
    std::vector<Rect> presented_;      // since the last frame end
    bool slideWhole_ = false;          // the last drawing was the whole slide in place
    bool displayPaced_ = false;        // FramePacing::Display
    bool realTime_ = false;            // frames are due at times on the clock, which moves while drawing
    bool dropping_ = false;            // the frame under way is left undrawn
    bool overwriting_ = false;         // the frame under way began as overwriting (display-paced)
    int64_t nextFrame_ = 0;            // when the next frame is due (clock microseconds)
    int64_t presentDue_ = 0;           // display-paced: when the display takes the next present
    int64_t frameBegan_ = 0;           // display-paced: when the frame under way began
    int64_t frameCost_ = 0;            // display-paced: how long the last drawn frame took to draw
    int64_t presentCost_ = 0;          // display-paced: how long the last present took
};

#include "transitions/TransitionEngine.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <exception>

#include "base/AutoResetEvent.h"
#include "gfx/Picture.h"
#include "gfx/PixelCompare.h"
#include "gfx/Region.h"
#include "platform/Clock.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "transitions/EffectNames.h"
#include "transitions/ShowMessages.h"
#include "transitions/TimerResolution.h"

namespace {

// Beyond this many changed rectangles in one present, they are presented as the tiles they touch.
constexpr size_t kMaxDirtyRects = 256;
// Beyond this many thin shapes held for one present, they are held as one.
constexpr size_t kMaxDirtyRegions = 8;
// A display shows a new picture 60 times a second: presents closer together than this are never seen.
constexpr int64_t kDisplayRefreshMicros = 16667;
// A run further behind its clock than this (and than a frame's delay) starts counting again rather than
// rush to catch up.
constexpr int64_t kCatchUpMicros = 50000;

int SizeOf(const Picture* picture, bool width)
{
    if (!picture || !picture->IsLoaded())
        return 0;
    return width ? picture->Width() : picture->Height();
}

// The pixels [from, to) of one axis that a copy of `extent` at `pos` covers: a negative extent covers
// pos + extent + 1 up to pos, as the picture's copies take it. Cut to [0, limit] without overflow.
void CoveredSpan(int pos, int extent, int limit, int& from, int& to)
{
    int64_t a = pos;
    int64_t b = static_cast<int64_t>(pos) + extent;
    if (extent < 0) {
        a = b + 1;
        b = static_cast<int64_t>(pos) + 1;
    }
    from = static_cast<int>(std::clamp<int64_t>(a, 0, limit));
    to = static_cast<int>(std::clamp<int64_t>(b, 0, limit));
}

} // namespace

TransitionEngine::TransitionEngine(const TransitionRequest& request)
    : window_(request.window),
      background_(request.background),
      slide_(request.slide),
      canvas_(request.canvas),
      effectIndex_(request.effectIndex),
      noTransition_(!request.transitionEnabled),
      slideLeft_(request.slideLeft),
      slideTop_(request.slideTop),
      // A stored speed of 0 would keep step-driven effects running until stopped.
      step_(request.step < 1 ? 1 : request.step),
      stopFlag_(request.stopFlag),
      slideWidth_(SizeOf(request.slide, true)),
      slideHeight_(SizeOf(request.slide, false)),
      canvasWidth_(SizeOf(request.canvas, true)),
      canvasHeight_(SizeOf(request.canvas, false)),
      clock_(request.clock ? request.clock : &SystemClock()),
      log_(request.log ? request.log : &DiagnosticLog::Instance()),
      trace_(request.trace),
      effect_(request.effect),
      canvasShowsBackground_(request.canvasShowsBackground)
{
    const bool systemClock = clock_ == &SystemClock();
    displayPaced_ = request.pacing == FramePacing::Display || (request.pacing == FramePacing::ByClock && systemClock);
    realTime_ = displayPaced_ || systemClock;
}

void TransitionEngine::Reseed()
{
    // Real runs follow the wall clock; a virtual clock gives a repeatable sequence.
    random_ = clock_ == &SystemClock() ? static_cast<uint32_t>(std::time(nullptr))
                                       : static_cast<uint32_t>(clock_->TickCount() / 1000);
}

int TransitionEngine::Rand()
{
    // The C runtime's classic generator, written out so that both builds draw the same numbers and no
    // other thread's calls to rand() disturb a transition.
    random_ = random_ * 214013u + 2531011u;
    return static_cast<int>((random_ >> 16) & 0x7FFF);
}

void TransitionEngine::RunTransition()
{
    Reseed();
    // The first frame's delay counts from here: painting the background is part of it. The first present
    // is due at once.
    if (realTime_)
        nextFrame_ = presentDue_ = clock_->Micros();
    if (background_ && canvasShowsBackground_)
        Touch(0, 0, canvasWidth_, canvasHeight_); // the window still needs it
    else if (background_)
        CopyPictureRect(0, 0, canvasWidth_, canvasHeight_, *background_, 0, 0);

    LogTransitionBegin(*log_, effectIndex_);

    const int index = noTransition_ ? -1 : effectIndex_;
    if (index == -1) {
        CopyRectAbs(slideLeft_, slideTop_, slideWidth_, slideHeight_, 0, 0);
    } else if (index >= 0 && index < kEffectCount && slideWidth_ > 0 && slideHeight_ > 0) {
        const EffectEntry* entry = effect_ ? effect_ : FindEffect(index);
        bool failed = !entry || !entry->run;
        if (!failed) {
            try {
                entry->run(*this, entry->params);
            } catch (const std::exception&) {
                failed = true; // an effect that failed part-way (out of memory) still ends with its slide
            }
        }
        // An effect that ran to its end always leaves the whole slide, whatever its geometry missed.
        if (failed || (!StopRequested() && !slideWhole_ && !SlideComplete()))
            CopyWholeSlide();
    }
    // Any other index leaves the background alone on screen. A closing drawn before its time (the frames
    // that would have held it up were left out) is shown at its time.
    if (displayPaced_ && HoldsChanges() && !StopRequested())
        clock_->SleepMicros(nextFrame_ - clock_->Micros());
    FlushPresent();

    LogTransitionEnd(*log_);
}

void TransitionEngine::Touch(int x, int y, int width, int height)
{
    Rect r;
    CoveredSpan(x, width, canvasWidth_, r.left, r.right);
    CoveredSpan(y, height, canvasHeight_, r.top, r.bottom);
    if (r.IsEmpty())
        return;
    if (!dirtyTiles_.Empty()) {
        dirtyTiles_.Mark(r);
        return;
    }
    // No rectangle to be shown holds another: what r covers need not be shown on its own (frames held for
    // the display often grow one rectangle), and r need not be where one holds it already (none of those
    // can hold anything r holds, so nothing was taken out before that one is met).
    size_t kept = 0;
    for (size_t i = 0; i < dirty_.size(); ++i) {
        const Rect& d = dirty_[i];
        if (d.Intersect(r) == r)
            return;
        if (r.Intersect(d) != d)
            dirty_[kept++] = d;
    }
    dirty_.resize(kept);
    // Effects that copy hundreds of pieces a frame (or many frames held for the display) are shown as the
    // tiles they touch.
    if (dirty_.size() >= kMaxDirtyRects) {
        dirtyTiles_.Reset(Size{canvasWidth_, canvasHeight_});
        for (const Rect& d : dirty_)
            dirtyTiles_.Mark(d);
        dirtyTiles_.Mark(r);
        dirty_.clear();
        return;
    }
    dirty_.push_back(r);
}

void ITransitionWindow::PresentRegion(const Picture& canvas, const Region& region)
{
    const Rect b = region.Bounds();
    Present(canvas, b.left, b.top, b.Width(), b.Height());
}

void ITransitionWindow::PresentChanges(const Picture& canvas, const std::vector<Rect>& rects,
                                       const std::vector<Region>& regions)
{
    for (const Rect& r : rects)
        Present(canvas, r.left, r.top, r.Width(), r.Height());
    for (const Region& region : regions)
        PresentRegion(canvas, region);
}

void TransitionEngine::FlushPresent()
{
    if (!HoldsChanges())
        return;
    dirtyTiles_.TakeRects(dirty_);
    const int64_t began = displayPaced_ ? clock_->Micros() : 0;
    if (window_ && canvas_)
        window_->PresentChanges(*canvas_, dirty_, dirtyRegions_);
    presented_.insert(presented_.end(), dirty_.begin(), dirty_.end());
    // A trace sees a region as its bounds: no pixel outside them was shown.
    for (const Region& region : dirtyRegions_)
        presented_.push_back(region.Bounds());
    dirty_.clear();
    dirtyRegions_.clear();
    if (displayPaced_) {
        const int64_t now = clock_->Micros();
        presentCost_ = now - began;
        presentDue_ = now + kDisplayRefreshMicros;
    }
}

void TransitionEngine::FrameDone(uint32_t delayMs)
{
    if (!displayPaced_)
        FlushPresent();
    if (trace_ && canvas_)
        trace_->FrameEnd(*canvas_, delayMs, presented_);
    presented_.clear();
}

void TransitionEngine::CopyPictureRect(int x, int y, int width, int height, const Picture& picture, int sourceX,
                                       int sourceY)
{
    if (!canvas_ || dropping_)
        return;
    slideWhole_ = false;
    canvas_->BitBlt(x, y, width, height, picture, sourceX, sourceY);
    Touch(x, y, width, height);
}

void TransitionEngine::CopyRectAbs(int x, int y, int width, int height, int sourceX, int sourceY)
{
    if (slide_)
        CopyPictureRect(x, y, width, height, *slide_, sourceX, sourceY);
}

void TransitionEngine::CopySlideRect(int left, int top, int right, int bottom, int sourceX, int sourceY)
{
    CopyRectAbs(slideLeft_ + left, slideTop_ + top, right - left, bottom - top, sourceX, sourceY);
}

void TransitionEngine::CopyPictureAt(int x, int y, const Picture& picture)
{
    CopyPictureRect(x, y, SizeOf(&picture, true), SizeOf(&picture, false), picture, 0, 0);
}

void TransitionEngine::StretchSlideRect(int left, int top, int right, int bottom, const Picture& picture, int sourceX,
                                        int sourceY, int sourceWidth, int sourceHeight)
{
    if (!canvas_ || dropping_)
        return;
    const int x = slideLeft_ + left;
    const int y = slideTop_ + top;
    slideWhole_ = false;
    canvas_->StretchBlt(x, y, right - left, bottom - top, picture, sourceX, sourceY, sourceWidth, sourceHeight);
    Touch(x, y, right - left, bottom - top);
}

int TransitionEngine::SetStretchModeBoth(int mode)
{
    return canvas_ ? canvas_->SetStretchBltMode(mode) : 0;
}

void TransitionEngine::CopySlideClipped(int x, int y, Region region)
{
    if (!canvas_ || !slide_ || dropping_)
        return;
    const int w = slideWidth_, h = slideHeight_;
    slideWhole_ = false;
    // The canvas borrows the region as its clip for the copy (a 4K shape has thousands of bands).
    canvas_->SelectClipRgn(std::move(region));
    canvas_->BitBlt(x, y, w, h, *slide_, 0, 0);
    region = canvas_->ReleaseClipRgn();
    const Rect bounds = region.Bounds();
    const Rect shown = bounds.Intersect(Rect::FromSize(x, y, w, h)).Intersect(Rect{0, 0, canvasWidth_, canvasHeight_});
    if (shown.IsEmpty())
        return;
    // Thin shapes spread over the slide (the strips a field of cells adds in a frame) are shown as they
    // are: their bounds would be most of the screen, frame after frame.
    const long long boundsArea = static_cast<long long>(shown.Width()) * shown.Height();
    if (region.Bands().size() > 1 && 4 * region.Area() < boundsArea) {
        Region changed =
            shown == bounds ? std::move(region) : Region::Combine(region, Region::FromRect(shown), RegionOp::And);
        // Held for the display over many frames, the shapes become one.
        if (dirtyRegions_.size() >= kMaxDirtyRegions) {
            for (const Region& r : dirtyRegions_)
                changed = Region::Combine(changed, r, RegionOp::Or);
            dirtyRegions_.clear();
        }
        dirtyRegions_.push_back(std::move(changed));
        return;
    }
    Touch(shown.left, shown.top, shown.Width(), shown.Height());
}

void TransitionEngine::CopyWholeSlide()
{
    CopySlideRect(0, 0, slideWidth_, slideHeight_, 0, 0);
    slideWhole_ = canvas_ && slide_ && !dropping_; // until the next drawing: the end of the run need not look again
}

void TransitionEngine::CopySlide(const Rect& r)
{
    const Rect c = r.Intersect(SlideBounds());
    if (!c.IsEmpty())
        CopySlideRect(c.left, c.top, c.right, c.bottom, c.left, c.top);
}

void TransitionEngine::CopySlide(const Rect& r, Point source)
{
    // Clip the target to the slide and move the source with it, so each shown pixel keeps its offset.
    const Rect c = r.Intersect(SlideBounds());
    if (c.IsEmpty())
        return;
    const int64_t sx = int64_t(source.x) + c.left - r.left;
    const int64_t sy = int64_t(source.y) + c.top - r.top;
    if (sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX)
        return;
    CopySlideRect(c.left, c.top, c.right, c.bottom, static_cast<int>(sx), static_cast<int>(sy));
}

void TransitionEngine::CopyBackground(const Rect& r)
{
    const Rect c = r.Intersect(SlideBounds());
    if (c.IsEmpty() || !background_)
        return;
    CopyPictureRect(slideLeft_ + c.left, slideTop_ + c.top, c.Width(), c.Height(), *background_, slideLeft_ + c.left,
                    slideTop_ + c.top);
}

void TransitionEngine::CopySlideThrough(Region region)
{
    const Rect bounds = region.Bounds();
    if (bounds.IsEmpty())
        return;
    Region inside = bounds.Intersect(SlideBounds()) == bounds
        ? std::move(region)
        : Region::Combine(region, Region::FromRect(SlideBounds()), RegionOp::And);
    if (inside.IsEmpty())
        return;
    inside.Offset(slideLeft_, slideTop_);
    CopySlideClipped(slideLeft_, slideTop_, std::move(inside));
}

void TransitionEngine::ShowPicture(const Picture& picture)
{
    CopyPictureAt(slideLeft_, slideTop_, picture);
}

void TransitionEngine::ShowPicture(const Picture& picture, const Rect& part)
{
    const Rect c = part.Intersect(SlideBounds());
    if (!c.IsEmpty())
        CopyPictureRect(slideLeft_ + c.left, slideTop_ + c.top, c.Width(), c.Height(), picture, c.left, c.top);
}

void TransitionEngine::BackgroundUnderSlide(Picture& picture) const
{
    if (picture.Width() != slideWidth_ || picture.Height() != slideHeight_ || !picture.IsLoaded())
        picture.CreateBlank(slideWidth_, slideHeight_, 0);
    if (background_)
        picture.BitBlt(0, 0, slideWidth_, slideHeight_, *background_, slideLeft_, slideTop_);
}

bool TransitionEngine::SlideComplete() const
{
    if (!canvas_ || !slide_)
        return true;
    const Rect shown = Rect::FromSize(slideLeft_, slideTop_, slideWidth_, slideHeight_)
                           .Intersect(Rect{0, 0, canvasWidth_, canvasHeight_});
    for (int y = shown.top; y < shown.bottom; ++y) {
        const uint32_t* on = canvas_->Row(y) + shown.left;
        const uint32_t* want = slide_->Row(y - slideTop_) + (shown.left - slideLeft_);
        if (!SameColours(on, want, shown.Width()))
            return false;
    }
    return true;
}

bool TransitionEngine::StopRequested() const
{
    return stopFlag_ && stopFlag_->load() != 0;
}

bool TransitionEngine::BeginFrame(FrameKind kind, uint32_t delayMs, bool kept, long long closesIn)
{
    overwriting_ = displayPaced_ && kind == FrameKind::Overwrites;
    if (!overwriting_) {
        dropping_ = false;
        return true;
    }
    frameBegan_ = clock_->Micros();
    const int64_t delay = int64_t(delayMs) * 1000;
    // Late when the frame after this one is due already: this one would be shown after its time, and the
    // next draws over all of it. Within the catch-up time of a closing frame, one that would hold the closing
    // up is left out too: the closing is drawn sooner and shown at its time.
    const bool late = frameBegan_ >= nextFrame_ + delay;
    const int64_t overrun = frameBegan_ + frameCost_ + presentCost_ - nextFrame_; // past this frame's due
    const bool nearTheClose = closesIn > 0 && closesIn <= kCatchUpMicros / std::max<int64_t>(delay, 1);
    const bool holdsUpTheClose = nearTheClose && overrun > closesIn * delay;
    dropping_ = !kept && (late || holdsUpTheClose);
    return !dropping_;
}

bool TransitionEngine::EndFrame(uint32_t delayMs)
{
    // The next frame adds unless it begins as overwriting.
    const bool overwriting = std::exchange(overwriting_, false);
    if (dropping_) {
        dropping_ = false;
        if (StopRequested()) {
            FlushPresent();
            return false;
        }
        nextFrame_ += int64_t(delayMs) * 1000;
        return true;
    }
    if (StopRequested()) {
        FrameDone(0);
        FlushPresent();
        return false;
    }
    if (overwriting)
        frameCost_ = clock_->Micros() - frameBegan_;
    FrameDone(delayMs);
    Wait(delayMs, overwriting);
    return true;
}

void TransitionEngine::Pause(uint32_t ms)
{
    FrameDone(ms);
    Wait(ms);
}

void TransitionEngine::Wait(uint32_t ms, bool overwriting)
{
    if (!realTime_) {
        clock_->Sleep(ms); // virtual time: drawing takes none
        return;
    }
    // Each frame is due a delay after the one before, counted from the first, so the time spent drawing
    // does not add up over hundreds of frames: a frame that came late (a page fault, another program) is
    // made up by the sleeps of the next. A transition that fell far behind (a busy machine) starts counting
    // again instead of rushing to catch up.
    nextFrame_ += int64_t(ms) * 1000;
    int64_t now = clock_->Micros();
    if (displayPaced_ && HoldsChanges() && now >= presentDue_) {
        FlushPresent();
        now = clock_->Micros();
    }
    // Overwriting frames catch up by leaving frames out instead.
    if (!overwriting && nextFrame_ - now < -std::max<int64_t>(1000LL * ms, kCatchUpMicros)) {
        nextFrame_ = now;
        return;
    }
    // What the display is due for goes out as soon as it is, not after the whole delay.
    if (displayPaced_ && HoldsChanges() && presentDue_ < nextFrame_) {
        clock_->SleepMicros(presentDue_ - now);
        FlushPresent();
        now = clock_->Micros();
    }
    clock_->SleepMicros(nextFrame_ - now);
}

int TransitionThreadProc(TransitionRequest* request)
{
    if (!request)
        return 1;
    // Read before the completion is set: from then on the request belongs to the slide window again.
    ITransitionWindow* window = request->window;
    std::atomic<int>* stopFlag = request->stopFlag;
    AutoResetEvent* completion = request->completion;
    const uint32_t serial = request->serial;
    try {
        TimerResolutionScope fineSleeps;
        TransitionEngine engine(*request);
        engine.RunTransition();
    } catch (...) {
        // Nothing may escape the thread, and the slide window waits for the completion without a limit.
    }
    if (window && (!stopFlag || stopFlag->load() == 0))
        window->Post(ShowMsg::kTransitionDone, serial);
    if (completion)
        completion->Set();
    return 1;
}

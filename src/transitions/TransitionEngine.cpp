#include "transitions/TransitionEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <exception>

#include "base/AutoResetEvent.h"
#include "gfx/Picture.h"
#include "gfx/Region.h"
#include "platform/Clock.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "transitions/EffectNames.h"
#include "transitions/ShowMessages.h"
#include "transitions/TimerResolution.h"

namespace {

// Beyond this many changed rectangles in one frame, the frame is presented as one rectangle around them.
constexpr size_t kMaxDirtyRects = 32;

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
      effect_(request.effect)
{
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
    // The first frame's delay counts from here: painting the background is part of it.
    paced_ = true;
    nextFrame_ = std::chrono::steady_clock::now();
    if (background_)
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
    // Any other index leaves the background alone on screen.
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
    for (const Rect& d : dirty_) {
        if (d.Intersect(r) == r)
            return; // already to be shown
    }
    // Effects that copy hundreds of cells a frame are shown as one rectangle around them.
    if (dirty_.size() >= kMaxDirtyRects) {
        Rect& box = dirty_.front();
        for (const Rect& d : dirty_)
            box = Rect{std::min(box.left, d.left), std::min(box.top, d.top), std::max(box.right, d.right),
                       std::max(box.bottom, d.bottom)};
        box = Rect{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
                   std::max(box.bottom, r.bottom)};
        dirty_.resize(1);
        return;
    }
    dirty_.push_back(r);
}

void ITransitionWindow::PresentRegion(const Picture& canvas, const Region& region)
{
    const Rect b = region.Bounds();
    Present(canvas, b.left, b.top, b.Width(), b.Height());
}

const std::vector<Rect>& TransitionEngine::FlushPresent()
{
    presented_.swap(dirty_);
    dirty_.clear();
    if (window_ && canvas_) {
        for (const Rect& r : presented_)
            window_->Present(*canvas_, r.left, r.top, r.Width(), r.Height());
        for (const Region& region : dirtyRegions_)
            window_->PresentRegion(*canvas_, region);
    }
    // A trace sees a region as its bounds: no pixel outside them was shown.
    for (const Region& region : dirtyRegions_)
        presented_.push_back(region.Bounds());
    dirtyRegions_.clear();
    return presented_;
}

void TransitionEngine::FrameDone(uint32_t delayMs)
{
    const std::vector<Rect>& shown = FlushPresent();
    if (trace_ && canvas_)
        trace_->FrameEnd(*canvas_, delayMs, shown);
}

void TransitionEngine::CopyPictureRect(int x, int y, int width, int height, const Picture& picture, int sourceX,
                                       int sourceY)
{
    if (!canvas_)
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
    if (!canvas_)
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

void TransitionEngine::CopySlideClipped(int x, int y, const Region& region)
{
    if (!canvas_ || !slide_)
        return;
    const int w = slideWidth_, h = slideHeight_;
    slideWhole_ = false;
    canvas_->SelectClipRgn(&region);
    canvas_->BitBlt(x, y, w, h, *slide_, 0, 0);
    canvas_->SelectClipRgn(nullptr);
    const Rect shown =
        region.Bounds().Intersect(Rect::FromSize(x, y, w, h)).Intersect(Rect{0, 0, canvasWidth_, canvasHeight_});
    if (shown.IsEmpty())
        return;
    // Thin shapes spread over the slide (the strips a field of cells adds in a frame) are shown as they
    // are: their bounds would be most of the screen, frame after frame.
    const long long boundsArea = static_cast<long long>(shown.Width()) * shown.Height();
    if (region.Bands().size() > 1 && 4 * region.Area() < boundsArea) {
        dirtyRegions_.push_back(Region::Combine(region, Region::FromRect(shown), RegionOp::And));
        return;
    }
    Touch(shown.left, shown.top, shown.Width(), shown.Height());
}

void TransitionEngine::CopyWholeSlide()
{
    CopySlideRect(0, 0, slideWidth_, slideHeight_, 0, 0);
    slideWhole_ = canvas_ && slide_; // until the next drawing: the end of the run need not look again
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

void TransitionEngine::CopySlideThrough(const Region& region)
{
    Region inside = Region::Combine(region, Region::FromRect(SlideBounds()), RegionOp::And);
    if (inside.IsEmpty())
        return;
    inside.Offset(slideLeft_, slideTop_);
    CopySlideClipped(slideLeft_, slideTop_, inside);
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
        for (int x = 0; x < shown.Width(); ++x) {
            // The unused byte of a pixel carries nothing.
            if ((on[x] ^ want[x]) & 0x00FFFFFF)
                return false;
        }
    }
    return true;
}

bool TransitionEngine::StopRequested() const
{
    return stopFlag_ && stopFlag_->load() != 0;
}

bool TransitionEngine::EndFrame(uint32_t delayMs)
{
    if (StopRequested()) {
        FrameDone(0);
        return false;
    }
    FrameDone(delayMs);
    Wait(delayMs);
    return true;
}

void TransitionEngine::Pause(uint32_t ms)
{
    FrameDone(ms);
    Wait(ms);
}

void TransitionEngine::Wait(uint32_t ms)
{
    if (clock_ != &SystemClock()) {
        clock_->Sleep(ms); // virtual time: drawing takes none
        return;
    }
    // On the real clock each frame is due a delay after the one before, counted from the first, so the time
    // spent drawing does not add up over hundreds of frames: a frame that came late (a page fault, another
    // program) is made up by the sleeps of the next. A transition that fell far behind (a busy machine)
    // starts counting again instead of rushing to catch up.
    constexpr int64_t kCatchUpMicros = 50000;
    const auto now = std::chrono::steady_clock::now();
    if (!paced_) {
        nextFrame_ = now;
        paced_ = true;
    }
    nextFrame_ += std::chrono::milliseconds(ms);
    const auto remaining = std::chrono::duration_cast<std::chrono::microseconds>(nextFrame_ - now).count();
    if (remaining < -std::max<int64_t>(1000LL * ms, kCatchUpMicros)) {
        nextFrame_ = now;
        return;
    }
    clock_->SleepMicros(remaining);
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

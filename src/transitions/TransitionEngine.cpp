#include "transitions/TransitionEngine.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <exception>

#include "base/AutoResetEvent.h"
#include "gfx/ComPicture.h"
#include "platform/Clock.h"
#include "platform/Log.h"
#include "transitions/EffectNames.h"
#include "transitions/TimerResolution.h"

namespace {

const char kLogSource[] = ".\\TransitionEffects";

int SizeOf(const CComPicture* picture, bool width)
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
      log_(request.log ? request.log : &CLog::Instance())
{
}

void TransitionEngine::Reseed()
{
    // Real runs follow the wall clock; a virtual clock gives a repeatable sequence.
    const unsigned seed = clock_ == &SystemClock() ? static_cast<unsigned>(std::time(nullptr))
                                                   : static_cast<unsigned>(clock_->TickCount() / 1000);
    std::srand(seed);
}

void TransitionEngine::RunTransition()
{
    Reseed();
    if (background_)
        CopyPictureRect(0, 0, canvasWidth_, canvasHeight_, *background_, 0, 0);

    log_->Entry(kLogSource, 126, "begin a transition show , transition effect index = %d ", effectIndex_);

    const int index = noTransition_ ? -1 : effectIndex_;
    if (index == -1) {
        CopyRectAbs(slideLeft_, slideTop_, slideWidth_, slideHeight_, 0, 0);
    } else if (index >= 0 && index < kEffectCount) {
        bool revealed = false;
        if (EffectFunction effect = FindEffect(index)) {
            try {
                effect(*this, index);
                revealed = true;
            } catch (const std::exception&) {
                // An effect that failed part-way (out of memory) still ends with its slide.
            }
        }
        if (!revealed)
            CopyRectAbs(slideLeft_, slideTop_, slideWidth_, slideHeight_, 0, 0);
    }
    // Any other index leaves the background alone on screen.

    log_->Entry(kLogSource, 617, "end a transition show");
}

void TransitionEngine::Present(int x, int y, int width, int height)
{
    if (!window_ || !canvas_)
        return;
    Rect r;
    CoveredSpan(x, width, canvasWidth_, r.left, r.right);
    CoveredSpan(y, height, canvasHeight_, r.top, r.bottom);
    if (r.IsEmpty())
        return;
    window_->Present(*canvas_, r.left, r.top, r.Width(), r.Height());
}

void TransitionEngine::CopyPictureRect(int x, int y, int width, int height, const CComPicture& picture, int sourceX,
                                       int sourceY)
{
    if (!canvas_)
        return;
    canvas_->BitBlt(x, y, width, height, picture, sourceX, sourceY);
    Present(x, y, width, height);
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

void TransitionEngine::CopySlideAt(int x, int y)
{
    CopyRectAbs(x, y, slideWidth_, slideHeight_, 0, 0);
}

void TransitionEngine::CopyPictureAt(int x, int y, const CComPicture& picture)
{
    CopyPictureRect(x, y, SizeOf(&picture, true), SizeOf(&picture, false), picture, 0, 0);
}

void TransitionEngine::StretchSlideRect(int left, int top, int right, int bottom, const CComPicture& picture,
                                        int sourceX, int sourceY, int sourceWidth, int sourceHeight)
{
    if (!canvas_)
        return;
    const int x = slideLeft_ + left;
    const int y = slideTop_ + top;
    canvas_->StretchBlt(x, y, right - left, bottom - top, picture, sourceX, sourceY, sourceWidth, sourceHeight);
    Present(x, y, right - left, bottom - top);
}

int TransitionEngine::SetStretchModeBoth(int mode)
{
    return canvas_ ? canvas_->SetStretchBltMode(mode) : 0;
}

void TransitionEngine::CopySlideClipped(int x, int y, const Region& region)
{
    if (!canvas_ || !slide_)
        return;
    canvas_->SelectClipRgn(&region);
    canvas_->BitBlt(x, y, slideWidth_, slideHeight_, *slide_, 0, 0);
    canvas_->SelectClipRgn(nullptr);
    const Rect shown = region.Bounds().Intersect(Rect::FromSize(x, y, slideWidth_, slideHeight_));
    Present(shown.left, shown.top, shown.Width(), shown.Height());
}

bool TransitionEngine::StopRequested() const
{
    return stopFlag_ && stopFlag_->load() != 0;
}

bool TransitionEngine::EndFrame(uint32_t delayMs)
{
    if (StopRequested())
        return false;
    clock_->Sleep(delayMs);
    return true;
}

void TransitionEngine::Pause(uint32_t ms)
{
    clock_->Sleep(ms);
}

void TransitionEngine::CopyWholeSlide()
{
    CopySlideRect(0, 0, slideWidth_, slideHeight_, 0, 0);
}

int TransitionThreadProc(TransitionRequest* request)
{
    if (!request)
        return 1;
    // Read before the completion is set: from then on the request belongs to the slide window again.
    ITransitionWindow* window = request->window;
    std::atomic<int>* stopFlag = request->stopFlag;
    CAutoResetEvent* completion = request->completion;
    try {
        CTimerResolutionScope fineSleeps;
        TransitionEngine engine(*request);
        engine.RunTransition();
    } catch (...) {
        // Nothing may escape the thread, and the slide window waits for the completion without a limit.
    }
    if (window && (!stopFlag || stopFlag->load() == 0))
        window->Post(kTransitionDoneMessage);
    if (completion)
        completion->Set();
    return 1;
}

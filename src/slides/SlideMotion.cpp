#include "slides/SlideMotion.h"

#include <algorithm>

void SlideMotion::Prepare(Picture image, Size source, const Rect& onWindow, const PanZoomPath& path,
                          uint32_t durationMs, TextOverlay texts)
{
    image_ = std::move(image);
    source_ = source;
    onWindow_ = onWindow;
    path_ = path;
    durationMs_ = std::max<uint32_t>(durationMs, 1);
    texts_ = std::move(texts);
    drawn_ = false;
    if (!frame_.IsLoaded() || frame_.Width() != onWindow.Width() || frame_.Height() != onWindow.Height())
        frame_.CreateBlank(onWindow.Width(), onWindow.Height(), 0);
}

void SlideMotion::Clear()
{
    image_.Free();
    frame_.Free();
    texts_.Clear();
    started_ = false;
    drawn_ = false;
}

void SlideMotion::Start(uint32_t tick)
{
    if (started_)
        return;
    started_ = true;
    start_ = tick;
}

Rect SlideMotion::DrawAt(uint32_t tick, Picture& canvas)
{
    if (!Prepared() || !started_ || !frame_.IsLoaded())
        return {};
    // Counted with wrapping, as tick counts are; a tick before the start is the start.
    const uint32_t since = tick - start_;
    const uint32_t elapsed = since > 0x80000000u ? 0 : std::min(since, durationMs_);
    if (drawn_ && elapsed == lastElapsed_)
        return {};
    const PanZoomView view = path_.ViewAt(double(elapsed) / durationMs_, source_.cx, source_.cy);
    DrawPanZoomView(frame_, image_, view);
    texts_.Apply(frame_, Point{onWindow_.left, onWindow_.top});
    canvas.BitBlt(onWindow_.left, onWindow_.top, onWindow_.Width(), onWindow_.Height(), frame_, 0, 0);
    drawn_ = true;
    lastElapsed_ = elapsed;
    return onWindow_.Intersect(canvas.GetRect());
}

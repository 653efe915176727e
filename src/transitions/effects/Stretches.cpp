// Stretches: the whole slide, scaled into a rectangle that grows from an edge, a corner or the centre.
#include <algorithm>
#include <optional>

#include "gfx/Picture.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

// The whole slide stretched in HALFTONE mode into r (slide coordinates) straight on the canvas. The
// rectangles only grow, so r holds all that changed since the frame before (or any frame before: a frame
// may be left out), and the canvas ends each frame as if a slide-sized picture holding the background and
// the stretched slide had been shown. The canvas
// keeps its own stretch mode between frames.
void StretchInto(TransitionEngine& fx, const Rect& r)
{
    const int previous = fx.SetStretchModeBoth(kHalftone);
    fx.StretchSlideRect(r.left, r.top, r.right, r.bottom, fx.Slide(), 0, 0, fx.SlideWidth(), fx.SlideHeight());
    fx.SetStretchModeBoth(previous);
}

} // namespace

// From the top edge, drawn downwards: the slide squeezed into (0, 0, W, d) for d = 0, s, 2s, ... while
// d < H. A size of 0 takes the caller's step; otherwise the step is set to it for the run.
void StretchEdge(TransitionEngine& fx, const EffectParams& p)
{
    std::optional<TransitionEngine::StepOverride> fixed;
    if (p.size > 0)
        fixed.emplace(fx, p.size);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    SweepToWholeSlide(fx, 0, extent.cy, fx.Step(), p.delayMs, [&](int d, int) {
        StretchInto(fx, p.orientation.Map(Rect{0, 0, extent.cx, d}, slide));
    });
}

// From the top-left corner, mirrored to the others: the shorter side grows by the step,
// the other in proportion: when h < w the height v = 0, s, ... while v < h and the width w * v / h,
// otherwise the width u and the height u * h / w.
void StretchCorner(TransitionEngine& fx, const EffectParams& p)
{
    const Size slide = fx.SlideSize();
    const long long w = slide.cx, h = slide.cy;
    const bool byHeight = h < w;
    const Corner from = std::get<Corner>(p.variant);
    const Orientation corner = Orientation::Mirrored(AtRight(from), AtBottom(from));
    SweepToWholeSlide(fx, 0, byHeight ? h : w, fx.Step(), p.delayMs, [&](int grown, int) {
        const long long u = byHeight ? w * grown / h : grown;
        const long long v = byHeight ? grown : grown * h / w;
        StretchInto(fx, corner.Map(Rect{0, 0, static_cast<int>(u), static_cast<int>(v)}, slide));
    });
}

// From the centre: e grows by the step while e < min(w, h) / 2; the shorter side's half is e, the longer
// side's in proportion.
void StretchCenter(TransitionEngine& fx, const EffectParams& p)
{
    const long long w = fx.SlideWidth(), h = fx.SlideHeight();
    SweepToWholeSlide(fx, 0, std::min(w, h) / 2, fx.Step(), p.delayMs, [&](int e, int) {
        const long long hx = w < h ? e : e * w / h;
        const long long hy = w < h ? e * h / w : e;
        StretchInto(fx,
                    Rect{static_cast<int>(w / 2 - hx), static_cast<int>(h / 2 - hy), static_cast<int>(w / 2 + hx),
                         static_cast<int>(h / 2 + hy)});
    });
}

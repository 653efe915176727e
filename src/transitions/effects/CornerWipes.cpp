// Corner wipes: right triangles growing from one corner, or from two opposite corners at once, or the
// slide showing outside two triangles that shrink into their corners.
#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

// Legs s along the horizontal edge and trunc(s * r) along the vertical one. A single triangle runs
// s = 0, 2, ... below 2w (so its long side passes the far corner); a pair meets on the diagonal at s = w;
// closing pairs run s = w, w - 2, ... while s > 0.
void CornerWipe(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const float r = SingleRatio(h, w);
    const CornerWipeForm form = std::get<CornerWipeForm>(p.variant);
    const bool right = AtRight(form.corner);
    const bool bottom = AtBottom(form.corner);
    const bool pair = form.pairing != Pairing::Alone;
    const auto triangle = [&](bool atRight, bool atBottom, int s) {
        return CornerTriangle({atRight ? w : 0, atBottom ? h : 0}, atRight ? -1 : 1, atBottom ? -1 : 1, s,
                              TruncTimes(r, s));
    };
    const auto shape = [&](int s) {
        if (!pair)
            return Region::FromPolygon(triangle(right, bottom, s), PolyFillMode::Alternate, fx.SlideBounds());
        return Region::FromPolygons({triangle(right, bottom, s), triangle(!right, !bottom, s)}, PolyFillMode::Winding,
                                    fx.SlideBounds());
    };
    RegionFrames frames(fx);
    const int step = fx.Step();
    if (form.pairing == Pairing::Closing)
        Sweep(fx, FrameKind::Overwrites, w, 0, -step, p.delayMs, [&](int s, int) { frames.ShowOutside(shape(s)); });
    else
        Sweep(fx, FrameKind::Overwrites, 0, pair ? w : 2LL * w, step, p.delayMs,
              [&](int s, int) { frames.Show(shape(s)); });
    fx.CopyWholeSlide();
}

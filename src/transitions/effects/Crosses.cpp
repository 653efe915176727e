// Crosses and diamonds centred on the slide, growing from the centre or closing in on it.
#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

// A vertical bar of half-width i united with a horizontal bar of half-height trunc(r * i); closing, the
// slide shows outside the cross as it narrows from n to 0.
void CrossWipe(TransitionEngine& fx, const EffectParams& p)
{
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const float r = SingleRatio(h, w);
    const int n = (w + 2) / 2, m = (h + 2) / 2;
    const auto cross = [&](int i) {
        const int half = TruncTimes(r, i);
        return Region::Combine(Region::FromRect(n - i, 0, n + i, h), Region::FromRect(0, m - half, w, m + half),
                               RegionOp::Or);
    };
    RegionFrames frames(fx);
    if (std::get<Reveal>(p.variant) == Reveal::ToCenter)
        Sweep(fx, FrameKind::Overwrites, n, -1, -1, p.delayMs, [&](int j, int) { frames.ShowOutside(cross(j)); });
    else
        Sweep(fx, FrameKind::Overwrites, 0, n, 1, p.delayMs, [&](int i, int) { frames.Show(cross(i)); });
    fx.CopyWholeSlide();
}

// A diamond of half-width i and half-height trunc(i * r), one pixel wider per frame: w frames opening,
// w + 1 closing.
void DiamondWipe(TransitionEngine& fx, const EffectParams& p)
{
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const float r = SingleRatio(h, w);
    const int cx = (w + 2) / 2, cy = (h + 2) / 2;
    const auto diamond = [&](int i) {
        const int half = TruncTimes(r, i);
        return Region::FromPolygon({{cx - i, cy}, {cx, cy + half}, {cx + i, cy}, {cx, cy - half}},
                                   PolyFillMode::Winding, fx.SlideBounds());
    };
    RegionFrames frames(fx);
    if (std::get<Reveal>(p.variant) == Reveal::ToCenter)
        Sweep(fx, FrameKind::Overwrites, w, -1, -1, p.delayMs, [&](int i, int) { frames.ShowOutside(diamond(i)); });
    else
        Sweep(fx, FrameKind::Overwrites, 0, w, 1, p.delayMs, [&](int i, int) { frames.Show(diamond(i)); });
    fx.CopyWholeSlide();
}

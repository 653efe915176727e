// Four-bladed fans turning about the slide's centre until the blades meet.
#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

namespace {

using Polygons = std::vector<std::vector<Point>>;

// The four blades at progress t, each from the centre (a, b) along one half-axis: triangles in phase 0,
// quadrilaterals reaching round the next corner in phase 1.
Polygons Blades(bool anticlockwise, int phase, int w, int h, int a, int b, int t, int u)
{
    if (!anticlockwise) {
        if (phase == 0)
            return {{{a, b}, {a, 0}, {a + t, 0}},
                    {{a, b}, {0, b}, {0, b - u}},
                    {{a, b}, {a, h}, {a - t, h}},
                    {{a, b}, {w, b}, {w, b + u}}};
        return {{{a, b}, {a, 0}, {w, 0}, {w, u}},
                {{a, b}, {0, b}, {0, 0}, {t, 0}},
                {{a, b}, {a, h}, {0, h}, {0, h - u}},
                {{a, b}, {w, b}, {w, h}, {w - t, h}}};
    }
    if (phase == 0)
        return {{{a, b}, {w, b}, {w, b - u}},
                {{a, b}, {a, 0}, {a - t, 0}},
                {{a, b}, {0, b}, {0, b + u}},
                {{a, b}, {a, h}, {a + t, h}}};
    return {{{a, b}, {w, b}, {w, 0}, {w - t, 0}},
            {{a, b}, {a, 0}, {0, 0}, {0, u}},
            {{a, b}, {0, b}, {0, h}, {t, h}},
            {{a, b}, {a, h}, {w, h}, {w, h - u}}};
}

} // namespace

// Progress t runs from 1 while t <= a, then from 0 while t <= a + step; the other blade edge moves by
// u = trunc(t * r) + 1. The whole slide is copied only when the fan completes: a stop leaves the partly
// turned fan (and the caller's step comes back either way).
void FanWipe(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const float r = SingleRatio(h, w);
    const int a = (w + 2) / 2, b = (h + 2) / 2;
    const int step = fx.Step();
    const bool anticlockwise = std::get<Rotation>(p.variant) == Rotation::Anticlockwise;
    RegionFrames frames(fx);
    const auto draw = [&](int phase) {
        return [&, phase](int t, int) {
            frames.Show(Region::FromPolygons(Blades(anticlockwise, phase, w, h, a, b, t, TruncTimes(r, t) + 1),
                                             PolyFillMode::Winding, fx.SlideBounds()));
        };
    };
    if (!Sweep(fx, FrameKind::Overwrites, 1, a + 1LL, step, p.delayMs, draw(0)))
        return;
    if (!Sweep(fx, FrameKind::Overwrites, 0, a + 1LL + step, step, p.delayMs, draw(1)))
        return;
    fx.CopyWholeSlide();
}

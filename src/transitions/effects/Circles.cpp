// Radial sweeps ("Circle"): a point runs around the slide's edge, and the region is the fan of triangles
// from a centre to the edge points it has passed.
#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

namespace {

struct SweepPlan {
    int startPhase;
    int endPhase; // 4: never reached, the sweep runs through phase 3
};

// The phase a sweep about this centre starts in and the one that ends it.
SweepPlan PlanOf(SweepCentre centre)
{
    switch (centre) {
    case SweepCentre::LeftBottom: return {0, 2};
    case SweepCentre::RightBottom: return {0, 3};
    case SweepCentre::RightTop: return {1, 4};
    case SweepCentre::LeftTop:
    case SweepCentre::Middle:
    case SweepCentre::Random: break;
    }
    return {0, 4};
}

Point SweepCentrePoint(TransitionEngine& fx, SweepCentre centre)
{
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    switch (centre) {
    case SweepCentre::LeftBottom: return {0, h};
    case SweepCentre::LeftTop: return {0, 0};
    case SweepCentre::RightBottom: return {w, h};
    case SweepCentre::RightTop: return {w, 0};
    case SweepCentre::Middle: return {w / 2, h / 2};
    case SweepCentre::Random: break;
    }
    return RandomInnerPoint(fx);
}

} // namespace

// The moving point d starts at h whatever the start phase: up the right edge (phase 0), leftward along the
// top (1), down the left edge (2), rightward along the bottom (3). The frame in which the end phase is
// reached is not drawn: the whole slide is copied instead. A stop leaves the partly drawn fan.
void CircleSweep(TransitionEngine& fx, const EffectParams& p)
{
    const SweepCentre at = std::get<SweepCentre>(p.variant);
    const SweepPlan plan = PlanOf(at);
    TransitionEngine::StepOverride fixed(fx, 2);
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const int step = fx.Step();
    const Point centre = SweepCentrePoint(fx, at);
    RegionFrames frames(fx);
    int phase = plan.startPhase;
    int d = h;
    // The fan only grows: a frame may be left out. The last one is the whole slide, always drawn.
    for (bool first = true;; first = false) {
        std::vector<Point> fan{centre, {w, h}};
        switch (phase) {
        case 0:
            fan.push_back({w, d});
            d -= step;
            if (d < 0) {
                d = w;
                phase = 1;
            }
            break;
        case 1:
            fan.insert(fan.end(), {{w, 0}, {d, 0}});
            d -= step;
            if (d < 0) {
                d = 0;
                phase = 2;
            }
            break;
        case 2:
            fan.insert(fan.end(), {{w, 0}, {0, 0}, {0, d}});
            d += step;
            if (d > h) {
                d = 0;
                phase = 3;
            }
            break;
        default:
            fan.insert(fan.end(), {{w, 0}, {0, 0}, {0, h}, {d, h}});
            d += step;
            if (d > w)
                phase = 4;
            break;
        }
        if (phase == plan.endPhase || phase == 4) {
            fx.CopyWholeSlide();
            return;
        }
        if (!Frame(fx, FrameKind::Overwrites, first, p.delayMs, [&] {
                if (!fx.FrameDropped())
                    frames.Show(Region::FromPolygon(fan, PolyFillMode::Winding, fx.SlideBounds()));
            }))
            return;
    }
}

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

// By SweepCentre.
constexpr SweepPlan kPlans[] = {{0, 2}, {0, 4}, {0, 3}, {1, 4}, {0, 4}, {0, 4}};

Point SweepCentrePoint(TransitionEngine& fx, int centre)
{
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    switch (centre) {
    case kSweepLeftBottom: return {0, h};
    case kSweepLeftTop: return {0, 0};
    case kSweepRightBottom: return {w, h};
    case kSweepRightTop: return {w, 0};
    case kSweepMiddle: return {w / 2, h / 2};
    default: return RandomInnerPoint(fx);
    }
}

} // namespace

// The moving point d starts at h whatever the start phase: up the right edge (phase 0), leftward along the
// top (1), down the left edge (2), rightward along the bottom (3). The frame in which the end phase is
// reached is not drawn: the whole slide is copied instead. A stop leaves the partly drawn fan.
void CircleSweep(TransitionEngine& fx, const EffectParams& p)
{
    const SweepPlan& plan = kPlans[p.variant];
    TransitionEngine::StepOverride fixed(fx, 2);
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const int step = fx.Step();
    const Point centre = SweepCentrePoint(fx, p.variant);
    RegionFrames frames(fx);
    int phase = plan.startPhase;
    int d = h;
    for (;;) {
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
        frames.Show(Region::FromPolygon(fan, PolyFillMode::Winding));
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

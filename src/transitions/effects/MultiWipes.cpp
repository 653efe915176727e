// Multi-wipes: a 10 by 10 field of cells, each filling with a right triangle from the same corner.
#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kCells = 10;
}

// Cells of (w + 10) / 10 by (h + 10) / 10 pixels; the legs t and trunc(t * r) grow by the step while
// t < twice the cell width, so each triangle spills over into its neighbours until they are all covered.
void MultiWipe(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const float r = SingleRatio(h, w);
    const int cw = (w + kCells) / kCells, ch = (h + kCells) / kCells;
    const bool right = (p.variant & RegionVariant::Right) != 0;
    const bool bottom = (p.variant & RegionVariant::Bottom) != 0;
    RegionFrames frames(fx);
    std::vector<std::vector<Point>> triangles;
    Sweep(fx, 0, 2LL * cw, fx.Step(), p.delayMs, [&](int t, int) {
        const int leg = TruncTimes(r, t);
        triangles.clear();
        for (int row = 0; row < kCells; ++row) {
            for (int col = 0; col < kCells; ++col) {
                const Point corner{col * cw + (right ? cw : 0), row * ch + (bottom ? ch : 0)};
                triangles.push_back(CornerTriangle(corner, right ? -1 : 1, bottom ? -1 : 1, t, leg));
            }
        }
        frames.Show(Region::FromPolygons(triangles, PolyFillMode::Winding));
    });
    fx.CopyWholeSlide();
}

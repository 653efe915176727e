// Multi-wipes: a 10 by 10 field of cells, each filling with a right triangle from the same corner.
#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kCells = 10;
}

// Cells of (w + 10) / 10 by (h + 10) / 10 pixels; the legs t and trunc(t * r) grow by the step while t is
// below twice the cell width, so each triangle reaches into the neighbouring cells. The triangles are all
// the same shape, so the field is one triangle tiled, and what a frame adds to the field lies in what it
// adds to the triangles: only that strip is tiled and copied. The strip runs from the triangle of the last
// frame drawn, so a late run may leave frames out.
void MultiWipe(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const float r = SingleRatio(h, w);
    const int cw = (w + kCells) / kCells, ch = (h + kCells) / kCells;
    const Corner from = std::get<Corner>(p.variant);
    const bool right = AtRight(from), bottom = AtBottom(from);
    const Point corner{right ? cw : 0, bottom ? ch : 0}; // of the top-left cell
    Region before;
    SweepToWholeSlide(fx, 0, 2LL * cw, fx.Step(), p.delayMs, [&](int t, int) {
        if (fx.FrameDropped())
            return;
        Region triangle = Region::FromPolygon(
            CornerTriangle(corner, right ? -1 : 1, bottom ? -1 : 1, t, TruncTimes(r, t)), PolyFillMode::Winding);
        fx.CopySlideThrough(Region::Tiled(Region::Combine(triangle, before, RegionOp::Diff), cw, kCells, ch, kCells));
        before = std::move(triangle);
    });
}

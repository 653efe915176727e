// Wedges: a wedge with its tip at the centre opens on one edge, its two sides sweep along the slide to the
// opposite edge, where the remaining wedge closes.
#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

// Drawn as "Wedge wipe down" (opening on the top edge) and mapped by the orientation. The tip stays at the
// slide's own centre ((w + 2) / 2, (h + 2) / 2) in every direction, so it is not mapped with the edges.
void WedgeWipe(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const int extentW = extent.cx, extentH = extent.cy;
    const int cx = (extentW + 2) / 2; // canonical
    const Point tip{(slide.cx + 2) / 2, (slide.cy + 2) / 2};
    const int step = fx.Step();
    RegionFrames frames(fx);
    // The canonical points before and after the tip, as a slide polygon.
    const auto show = [&](std::initializer_list<Point> before, std::initializer_list<Point> after) {
        std::vector<Point> polygon;
        for (const Point& q : before)
            polygon.push_back(p.orientation.Map(q, slide));
        polygon.push_back(tip);
        for (const Point& q : after)
            polygon.push_back(p.orientation.Map(q, slide));
        frames.Show(Region::FromPolygon(polygon, PolyFillMode::Winding, fx.SlideBounds()));
    };
    // A stop ends the phases at once; the closing copy follows either way.
    if (Sweep(fx, FrameKind::Overwrites, 1, cx + 1LL, step, p.delayMs,
              [&](int k, int) {
                  show({{cx + k, 0}}, {{cx - k, 0}});
              }) &&
        Sweep(fx, FrameKind::Overwrites, 0, extentH + 1LL, step, p.delayMs, [&](int k, int) {
            show({{0, k}}, {{extentW, k}, {extentW, 0}, {0, 0}});
        })) {
        Sweep(fx, FrameKind::Overwrites, cx, -1, -step, p.delayMs, [&](int k, int) {
            show({{cx - k, extentH}}, {{cx + k, extentH}, {extentW, extentH}, {extentW, 0}, {0, 0}, {0, extentH}});
        });
    }
    fx.CopyWholeSlide();
}

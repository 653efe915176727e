// Shutters and show-from-corner: at a step of 2, always closing with the whole slide (also after a stop).
#include <algorithm>
#include <vector>

#include "transitions/EffectKit.h"
#include "transitions/SlidePieces.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kShutterStep = 2;
constexpr int kStrip = 2;
constexpr int kBandDivisor = 10;
} // namespace

// Bands about 10 pixels high stacked down the slide (across it with swapped axes), taken in pairs: the
// even band of a pair wipes forward, the odd one below it backward. Backward strips one ahead
// ("Shutter(Vertical)") run one strip earlier and end one step sooner.
void Shutter(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kShutterStep);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    // A slide under 10 pixels runs as one band.
    const int bands = std::max(1, extent.cy / kBandDivisor);
    const int band = extent.cy / bands + 1;
    const int pairs = (bands - 1) / 2 + 1;
    const int backShift = std::get<BackStrips>(p.variant) == BackStrips::OneAhead ? kStrip : 0;
    const long long last = static_cast<long long>(extent.cx) + kStrip - backShift;
    std::vector<Rect> strips;
    for (long long s = 0; s <= last; s += fx.Step()) {
        const int forward = static_cast<int>(s);
        const int backward = static_cast<int>(extent.cx - s - backShift);
        strips.clear();
        for (int k = 0; k < pairs; ++k) {
            const int top = 2 * band * k;
            strips.push_back(p.orientation.Map(Rect{forward, top, forward + kStrip, top + band}, slide));
            strips.push_back(p.orientation.Map(Rect{backward, top + band, backward + kStrip, top + 2 * band}, slide));
        }
        // The strips lie along two lines across the slide.
        CopySlidePieces(fx, strips,
                        {p.orientation.Map(Rect{forward, 0, forward + kStrip, extent.cy}, slide),
                         p.orientation.Map(Rect{backward, 0, backward + kStrip, extent.cy}, slide)});
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

// A rectangle in the slide's proportions grows from the corner (the orientation's mirrors pick it): its
// shorter side advances by the step, the other follows as a truncated proportion.
void FromCorner(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kShutterStep);
    const Size slide = fx.SlideSize();
    const long long w = slide.cx;
    const long long h = slide.cy;
    const bool wide = w > h;
    auto corner = [&](long long progress) {
        return wide ? Size{static_cast<int>(w * progress / h), static_cast<int>(progress)}
                    : Size{static_cast<int>(progress), static_cast<int>(progress * h / w)};
    };
    // Each frame draws only what the rectangle gained: the pixels it held already are the slide's.
    Sweep(fx, 0, wide ? h : w, fx.Step(), p.delayMs, [&](int progress, int before) {
        const Size now = corner(progress);
        const Size was = corner(before);
        fx.CopySlide(p.orientation.Map(Rect{0, was.cy, now.cx, now.cy}, slide));
        fx.CopySlide(p.orientation.Map(Rect{was.cx, 0, now.cx, was.cy}, slide));
    });
    fx.CopyWholeSlide();
}

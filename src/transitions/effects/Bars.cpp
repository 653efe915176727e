// Two half-slide bars moving in opposite directions, at a step of 2. Drawn canonically as "Tow bar move
// down": the left half (up to w / 2 + 1) arrives from the top, the right half from the bottom.
#include <algorithm>

#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kBarStep = 2;
} // namespace

// Moving, each half comes in showing the edge strip of its far side (redrawn whole every frame, since its
// content shifts); wiping, each half is uncovered in place (only the part gained is drawn).
void TwoBars(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kBarStep);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const int w = extent.cx;
    const int h = extent.cy;
    const int f = w / 2 + 1;
    const BarMotion motion = std::get<BarMotion>(p.variant);
    // Shows `source` (a canonical rectangle of the same size) at `target`; mapping both keeps the shift.
    auto show = [&](const Rect& target, const Rect& source) {
        const Rect from = p.orientation.Map(source, slide);
        fx.CopySlide(p.orientation.Map(target, slide), Point{from.left, from.top});
    };
    // Either way a frame draws all the bars gained since the last frame drawn: a late run may leave one out.
    Sweep(fx, FrameKind::Overwrites, 0, static_cast<long long>(h) + kBarStep, fx.Step(), p.delayMs,
          [&](int progress, int before) {
              const int now = std::min(progress, h);
              const int was = std::min(before, h);
              if (motion == BarMotion::Move) {
                  show(Rect{0, 0, f, now}, Rect{0, h - now, f, h});
                  show(Rect{f, h - now, w, h}, Rect{f, 0, w, now});
              } else {
                  fx.CopySlide(p.orientation.Map(Rect{0, was, f, now}, slide));
                  fx.CopySlide(p.orientation.Map(Rect{f, h - now, w, h - was}, slide));
              }
          });
}

// Fades: the slide comes in by its opacity over what is on screen, or what is on screen first darkens to
// black and the slide comes up out of the black. Step-driven like the others: a whole fade is kFadeUnits of
// progress, one step a frame, 20 ms a frame, so the stored speed 25 fades in about one second (50 frames) and
// speed 50 in half of it. Frame k blends with the weight progress * 256 / units (truncated), and the run ends
// with the whole slide, after a stop too.
#include "gfx/Blend.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

constexpr long long kFadeUnits = 1250;

int Weight(long long progress, long long units)
{
    return static_cast<int>(progress * kBlendOne / units);
}

// The slide rectangle on the canvas becomes the blend of `from` and `to`, each given by its picture and where
// the slide's top-left pixel lies in it; a null picture is black.
void BlendFrame(TransitionEngine& fx, const Picture* from, Point fromAt, const Picture* to, Point toAt, int weight)
{
    fx.DrawOnCanvas({fx.SlideBounds()}, [&](Picture& canvas, Point at) {
        const Rect r = Rect::FromSize(at.x, at.y, fx.SlideWidth(), fx.SlideHeight());
        const Point shift{-at.x, -at.y};
        BlendRect(canvas, r, from, Point{fromAt.x + shift.x, fromAt.y + shift.y}, to,
                  Point{toAt.x + shift.x, toAt.y + shift.y}, weight);
    });
}

} // namespace

void Fade(TransitionEngine& fx, const EffectParams& p)
{
    const Point under{fx.SlideLeft(), fx.SlideTop()};
    const bool throughBlack =
        std::holds_alternative<FadeForm>(p.variant) && std::get<FadeForm>(p.variant) == FadeForm::ThroughBlack;
    const long long half = kFadeUnits / 2;
    // Every frame blends the whole slide area anew: a late run may leave one out.
    SweepToWholeSlide(fx, fx.Step(), kFadeUnits, fx.Step(), p.delayMs, [&](int progress, int) {
        if (!throughBlack)
            BlendFrame(fx, &fx.Background(), under, &fx.Slide(), Point{}, Weight(progress, kFadeUnits));
        else if (progress < half)
            BlendFrame(fx, &fx.Background(), under, nullptr, Point{}, Weight(progress, half));
        else
            BlendFrame(fx, nullptr, Point{}, &fx.Slide(), Point{}, Weight(progress - half, kFadeUnits - half));
    });
}

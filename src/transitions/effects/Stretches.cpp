// Stretches: the whole slide, scaled into a rectangle that grows from an edge, a corner or the centre.
#include <algorithm>
#include <optional>

#include "transitions/ComposedFrame.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

// The composed picture stretches in HALFTONE mode for the run; the mode it had comes back at the end.
class HalftoneFrame : public ComposedFrame {
public:
    explicit HalftoneFrame(TransitionEngine& fx)
        : ComposedFrame(fx), fx_(fx), previous_(Picture().SetStretchBltMode(kHalftone))
    {
    }
    ~HalftoneFrame() { Picture().SetStretchBltMode(previous_); }

    // The whole slide into r (slide coordinates), then r is shown: the rectangles only grow, so r holds
    // all that changed since the frame before.
    void StretchInto(const Rect& r)
    {
        Picture().StretchBlt(r.left, r.top, r.Width(), r.Height(), fx_.Slide(), 0, 0, fx_.SlideWidth(),
                             fx_.SlideHeight());
        Show(r);
    }

private:
    TransitionEngine& fx_;
    int previous_;
};

} // namespace

// From the top edge, drawn downwards: the slide squeezed into (0, 0, W, d) for d = 0, s, 2s, ... while
// d < H. A size of 0 takes the caller's step; otherwise the step is set to it for the run.
void StretchEdge(TransitionEngine& fx, const EffectParams& p)
{
    std::optional<TransitionEngine::StepOverride> fixed;
    if (p.size > 0)
        fixed.emplace(fx, p.size);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    HalftoneFrame frame(fx);
    if (frame.Ready()) {
        Sweep(fx, 0, extent.cy, fx.Step(), p.delayMs, [&](int d, int) {
            frame.StretchInto(p.orientation.Map(Rect{0, 0, extent.cx, d}, slide));
        });
    }
    fx.CopyWholeSlide();
}

// From the top-left corner, mirrored to the others: the shorter side grows by the step,
// the other in proportion: when h < w the height v = 0, s, ... while v < h and the width w * v / h,
// otherwise the width u and the height u * h / w.
void StretchCorner(TransitionEngine& fx, const EffectParams& p)
{
    const Size slide = fx.SlideSize();
    const long long w = slide.cx, h = slide.cy;
    const bool byHeight = h < w;
    const Orientation corner = Orientation::Mirrored(p.variant & 1, p.variant & 2);
    HalftoneFrame frame(fx);
    if (frame.Ready()) {
        Sweep(fx, 0, byHeight ? h : w, fx.Step(), p.delayMs, [&](int grown, int) {
            const long long u = byHeight ? w * grown / h : grown;
            const long long v = byHeight ? grown : grown * h / w;
            frame.StretchInto(corner.Map(Rect{0, 0, static_cast<int>(u), static_cast<int>(v)}, slide));
        });
    }
    fx.CopyWholeSlide();
}

// From the centre: e grows by the step while e < min(w, h) / 2; the shorter side's half is e, the longer
// side's in proportion.
void StretchCenter(TransitionEngine& fx, const EffectParams& p)
{
    const long long w = fx.SlideWidth(), h = fx.SlideHeight();
    HalftoneFrame frame(fx);
    if (frame.Ready()) {
        Sweep(fx, 0, std::min(w, h) / 2, fx.Step(), p.delayMs, [&](int e, int) {
            const long long hx = w < h ? e : e * w / h;
            const long long hy = w < h ? e * h / w : e;
            frame.StretchInto(Rect{static_cast<int>(w / 2 - hx), static_cast<int>(h / 2 - hy),
                                   static_cast<int>(w / 2 + hx), static_cast<int>(h / 2 + hy)});
        });
    }
    fx.CopyWholeSlide();
}

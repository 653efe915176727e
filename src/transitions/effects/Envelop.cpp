// Envelopes and boxes: the slide closes in around a shrinking hole of background, or a grid of boxes
// opens the slide (or closes its background) from the boxes' centres.
#include <algorithm>

#include "transitions/ComposedFrame.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

constexpr int kBoxesPerSide = 10;

// The centred hole of frame n, its half-height n on the slide's shorter side, the other side in proportion.
Rect EnvelopHole(int w, int h, long long n)
{
    if (w >= h) {
        const long long half = n * w / h;
        return Rect{static_cast<int>(w / 2 - half), static_cast<int>(h / 2 - n), static_cast<int>(w / 2 + half),
                    static_cast<int>(h / 2 + n)};
    }
    const long long half = n * h / w;
    return Rect{static_cast<int>(w / 2 - n), static_cast<int>(h / 2 - half), static_cast<int>(w / 2 + n),
                static_cast<int>(h / 2 + half)};
}

// The grid of boxes: centres (cw + 2*cw*i, ch + 2*ch*j); a box of half-width k is 2k wide and
// 2 * trunc(k * r) high.
struct BoxGrid {
    int cw, ch;
    double ratio; // h / w, in double: no single precision here

    explicit BoxGrid(Size slide)
        : cw((slide.cx + 20) / 20),
          ch((slide.cy + 20) / 20),
          ratio(slide.cx > 0 ? static_cast<double>(slide.cy) / slide.cx : 0.0)
    {
    }
    template <typename Fn> void ForEach(int k, Fn&& fn) const
    {
        const int halfHeight = static_cast<int>(k * ratio);
        for (int i = 0; i < kBoxesPerSide; ++i)
            for (int j = 0; j < kBoxesPerSide; ++j) {
                const int cx = cw + 2 * cw * i, cy = ch + 2 * ch * j;
                fn(Rect{cx - k, cy - halfHeight, cx + k, cy + halfHeight});
            }
    }
};

} // namespace

void CenterEnvelop(TransitionEngine& fx, const EffectParams& p)
{
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    ComposedFrame frame(fx);
    if (frame.Ready()) {
        // Each frame is the slide with the hole of background; only the previous hole's area changes.
        Rect changed = fx.SlideBounds();
        for (int n = (w >= h ? h : w) / 2; n >= 1; --n) {
            const Rect hole = EnvelopHole(w, h, n);
            frame.FromSlide(changed);
            frame.FromBackground(hole);
            frame.Show(changed);
            changed = hole;
            if (!fx.EndFrame(p.delayMs))
                break;
        }
    }
    fx.CopyWholeSlide();
}

// Variant 0 opens boxes of the slide over the background; variant 1 shrinks boxes of background on the
// slide to points.
void MultiBox(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const BoxGrid grid(fx.SlideSize());
    ComposedFrame frame(fx);
    if (frame.Ready() && p.variant == 0) {
        for (int k = 0; k < grid.cw; ++k) {
            grid.ForEach(k, [&](const Rect& box) {
                frame.FromSlide(box);
                frame.Show(box);
            });
            if (!fx.EndFrame(p.delayMs))
                break;
        }
    } else if (frame.Ready()) {
        frame.FromSlide(fx.SlideBounds());
        for (int k = grid.cw; k >= 1; --k) {
            grid.ForEach(k, [&](const Rect& box) { frame.FromBackground(box); });
            if (k == grid.cw)
                frame.Show();
            else // the larger boxes of the frame before hold all that changed
                grid.ForEach(k + 1, [&](const Rect& box) { frame.Show(box); });
            if (!fx.EndFrame(p.delayMs))
                break;
            // Every frame starts again from the whole slide.
            grid.ForEach(k, [&](const Rect& box) { frame.FromSlide(box); });
        }
    }
    fx.CopyWholeSlide();
}

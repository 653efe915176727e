// Envelopes and boxes: the slide closes in around a shrinking hole of background, or a grid of boxes
// opens the slide (or closes its background) from the boxes' centres.
#include <algorithm>

#include "gfx/Region.h"
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
    Rect Box(int i, int j, int k) const
    {
        const int halfHeight = static_cast<int>(k * ratio);
        const int cx = cw + 2 * cw * i, cy = ch + 2 * ch * j;
        return Rect{cx - k, cy - halfHeight, cx + k, cy + halfHeight};
    }
    template <typename Fn> void ForEach(int k, Fn&& fn) const
    {
        for (int i = 0; i < kBoxesPerSide; ++i)
            for (int j = 0; j < kBoxesPerSide; ++j)
                fn(Box(i, j, k));
    }
    // The boxes of half-width k without those of half-width `inner` (none when inner is 0): what changes
    // between two frames, shown as one region rather than a hundred rectangles.
    Region Ring(int k, int inner) const
    {
        Region tile = Region::FromRect(Box(0, 0, k));
        if (inner > 0)
            tile = Region::Combine(tile, Region::FromRect(Box(0, 0, inner)), RegionOp::Diff);
        return Region::Tiled(tile, 2 * cw, kBoxesPerSide, 2 * ch, kBoxesPerSide);
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
        Sweep(fx, FrameKind::Overwrites, (w >= h ? h : w) / 2, 0, -1, p.delayMs, [&](int n, int) {
            const Rect hole = EnvelopHole(w, h, n);
            frame.FromSlide(changed);
            frame.FromBackground(hole);
            frame.Show(changed);
            changed = hole;
        });
    }
    fx.CopyWholeSlide();
}

// From the centres, boxes of the slide open over the background; to the centres, boxes of background on
// the slide shrink to points.
void MultiBox(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const BoxGrid grid(fx.SlideSize());
    if (std::get<Reveal>(p.variant) == Reveal::FromCenter) {
        // Each frame adds to the boxes of slide the ring around those of the frame before.
        for (int k = 0; k < grid.cw; ++k) {
            fx.CopySlideThrough(grid.Ring(k, k - 1));
            if (!fx.EndFrame(p.delayMs))
                break;
        }
    } else {
        ComposedFrame frame(fx);
        if (frame.Ready()) {
            frame.FromSlide(fx.SlideBounds());
            grid.ForEach(grid.cw, [&](const Rect& box) { frame.FromBackground(box); });
            frame.Show();
            // Then the boxes of background shrink: only the rings they leave change, to the slide.
            bool going = fx.EndFrame(p.delayMs);
            for (int k = grid.cw - 1; going && k >= 1; --k) {
                fx.CopySlideThrough(grid.Ring(k + 1, k));
                going = fx.EndFrame(p.delayMs);
            }
        }
    }
    fx.CopyWholeSlide();
}

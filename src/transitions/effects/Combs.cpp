// Combs: the even and the odd lines of the slide slide in from opposite sides and interleave.
#include <algorithm>

#include "transitions/ComposedFrame.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

// Frame n (from 1) moves `pairs` line pairs with the offset S: line 2k shows slide line S + 2k and line
// S + 2k + 1 shows slide line 2k + 1, for k = 0 to pairs - 1. Columns: pairs = n and S falls by 2 a frame;
// rows move twice as fast: pairs = 2n - 1 and S falls by 4.
struct CombFrame {
    int pairs;
    int offset;
};

CombFrame CombAt(int n, int extent, bool rows)
{
    const int start = 2 * (extent / 2) + 2;
    return rows ? CombFrame{2 * n - 1, start - 4 * (n - 1)} : CombFrame{n, start - 2 * (n - 1)};
}

// Columns are gathered row by row: a copy per one-pixel column would walk the whole slide once per column.
void CombColumns(CComPicture& picture, const CComPicture& slide, const CombFrame& f)
{
    const int w = slide.Width(), s = f.offset;
    // The pairs whose source and destination columns both lie on the slide.
    const int evens = std::max(0, std::min({f.pairs, (w + 1) / 2, (w - s + 1) / 2}));
    const int odds = std::max(0, std::min({f.pairs, w / 2, (w - s) / 2}));
    for (int y = 0; y < slide.Height(); ++y) {
        uint32_t* to = picture.Row(y);
        const uint32_t* from = slide.Row(y);
        for (int k = 0; k < evens; ++k)
            to[2 * k] = from[s + 2 * k];
        for (int k = 0; k < odds; ++k)
            to[s + 2 * k + 1] = from[2 * k + 1];
    }
}

} // namespace

// Variant 0: columns ("Show left-right"); 1: rows ("Show up-dwon").
void Comb(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const bool rows = p.variant == 1;
    const int w = fx.SlideWidth(), extent = rows ? fx.SlideHeight() : w;
    ComposedFrame frame(fx);
    for (int n = 1; frame.Ready(); ++n) {
        const CombFrame f = CombAt(n, extent, rows);
        if (extent / 2 + 1 < f.pairs - 1)
            break;
        if (rows) {
            for (int k = 0; k < f.pairs; ++k) {
                frame.FromSlide(Rect{0, 2 * k, w, 2 * k + 1}, Point{0, f.offset + 2 * k});
                frame.FromSlide(Rect{0, f.offset + 2 * k + 1, w, f.offset + 2 * k + 2}, Point{0, 2 * k + 1});
            }
        } else {
            CombColumns(frame.Picture(), fx.Slide(), f);
        }
        if (n == 1) {
            frame.Show(); // the background around the first lines too
        } else {
            // The lines only move on in their two bands, which grow: nothing else has changed.
            const int h = fx.SlideHeight();
            const int even = 2 * f.pairs, oddFrom = f.offset + 1, oddTo = f.offset + 2 * f.pairs;
            frame.Show(rows ? Rect{0, 0, w, even} : Rect{0, 0, even, h});
            frame.Show(rows ? Rect{0, oddFrom, w, oddTo} : Rect{oddFrom, 0, oddTo, h});
        }
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

// Combs: the even and the odd lines of the slide slide in from opposite sides and interleave.
#include <algorithm>

#include "gfx/AlternatePixels.h"
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

// The k in [0, count) for which first + 2k + at lies in [0, size): a run of every other pixel cut to a row.
void CutToRow(int first, int count, int at, int size, int& kFrom, int& kTo)
{
    const int lo = -at - first, hi = size - at - first; // first + 2k must lie in [lo + first, hi + first)
    kFrom = std::max(0, lo > 0 ? (lo + 1) / 2 : 0);
    kTo = std::min(count, hi > 0 ? (hi + 1) / 2 : 0);
}

// Columns are gathered row by row: a copy per one-pixel column would walk the whole slide once per column.
// The slide lies at `at` on the picture, which may cut it.
void CombColumns(Picture& picture, Point at, const Picture& slide, const CombFrame& f)
{
    const int w = slide.Width(), s = f.offset;
    // The pairs whose source and destination columns both lie on the slide.
    const int evens = std::max(0, std::min({f.pairs, (w + 1) / 2, (w - s + 1) / 2}));
    const int odds = std::max(0, std::min({f.pairs, w / 2, (w - s) / 2}));
    int e0, e1, o0, o1;
    CutToRow(0, evens, at.x, picture.Width(), e0, e1);
    CutToRow(s + 1, odds, at.x, picture.Width(), o0, o1);
    const int y0 = std::max(0, -at.y), y1 = std::min(slide.Height(), picture.Height() - at.y);
    for (int y = y0; y < y1; ++y) {
        uint32_t* to = picture.Row(at.y + y);
        const uint32_t* from = slide.Row(y);
        if (e0 < e1)
            CopyAlternatePixels(to + at.x + 2 * e0, from + s + 2 * e0, e1 - e0);
        if (o0 < o1)
            CopyAlternatePixels(to + at.x + s + 2 * o0 + 1, from + 2 * o0 + 1, o1 - o0);
    }
}

} // namespace

// Columns ("Show left-right") or rows ("Show up-dwon").
void Comb(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const bool rows = std::get<CombLines>(p.variant) == CombLines::Rows;
    const int w = fx.SlideWidth(), extent = rows ? fx.SlideHeight() : w;
    // The first frame is composed over the background under the slide and shown whole; from then on the
    // canvas holds that picture, and the lines move on in two growing bands drawn straight on it. Each
    // band holds the one before, so a frame may be left out.
    ComposedFrame frame(fx);
    const auto beyond = [&](int n) { return extent / 2 + 1 < CombAt(n, extent, rows).pairs - 1; };
    for (int n = 1; frame.Ready() && !beyond(n); ++n) {
        const CombFrame f = CombAt(n, extent, rows);
        const int h = fx.SlideHeight();
        const int even = 2 * f.pairs, oddFrom = f.offset + 1, oddTo = f.offset + 2 * f.pairs;
        const bool going = Frame(fx, FrameKind::Overwrites, n == 1 || beyond(n + 1), p.delayMs, [&] {
            if (rows && n == 1) {
                for (int k = 0; k < f.pairs; ++k) {
                    frame.FromSlide(Rect{0, 2 * k, w, 2 * k + 1}, Point{0, f.offset + 2 * k});
                    frame.FromSlide(Rect{0, f.offset + 2 * k + 1, w, f.offset + 2 * k + 2}, Point{0, 2 * k + 1});
                }
            } else if (rows) {
                for (int k = 0; k < f.pairs; ++k) {
                    fx.CopySlide(Rect{0, 2 * k, w, 2 * k + 1}, Point{0, f.offset + 2 * k});
                    fx.CopySlide(Rect{0, f.offset + 2 * k + 1, w, f.offset + 2 * k + 2}, Point{0, 2 * k + 1});
                }
            } else if (n == 1) {
                CombColumns(frame.Buffer(), Point{0, 0}, fx.Slide(), f);
            } else {
                fx.DrawOnCanvas({Rect{0, 0, even, h}, Rect{oddFrom, 0, oddTo, h}},
                                [&](Picture& canvas, Point at) { CombColumns(canvas, at, fx.Slide(), f); });
            }
            if (n == 1)
                frame.Show(); // the background around the first lines too
        });
        if (!going)
            break;
    }
    fx.CopyWholeSlide();
}

// Window blinds: twenty frames, each copying every twentieth one-pixel line of the slide.
#include <algorithm>
#include <vector>

#include "gfx/Picture.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

constexpr int kBlindPeriod = 20;

// Copies the slide's columns xs (ascending) onto the canvas, row by row: a copy per one-pixel column would
// walk the whole slide once per column (a 4K slide's 192 columns a frame took longer than the frame's delay).
// The slide lies at `at` on the canvas, which may cut it.
void CopyColumns(Picture& canvas, Point at, const Picture& slide, const std::vector<int>& xs)
{
    const auto first = std::lower_bound(xs.begin(), xs.end(), -at.x);
    const auto last = std::lower_bound(first, xs.end(), canvas.Width() - at.x);
    const int y0 = std::max(0, -at.y), y1 = std::min(slide.Height(), canvas.Height() - at.y);
    for (int y = y0; y < y1; ++y) {
        uint32_t* to = canvas.Row(at.y + y) + at.x;
        const uint32_t* from = slide.Row(y);
        for (auto x = first; x != last; ++x)
            to[*x] = from[*x];
    }
}

} // namespace

// Rows (or, with swapped axes, columns); backward, the lines' offsets run from 19 down to 0.
void WindowBlind(TransitionEngine& fx, const EffectParams& p)
{
    const bool backward = std::get<Order>(p.variant) == Order::Backward;
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    std::vector<int> columns;
    for (int n = 0; n < kBlindPeriod; ++n) {
        const int offset = backward ? kBlindPeriod - 1 - n : n;
        if (p.orientation.swapAxes) {
            columns.clear();
            for (int y = offset; y < extent.cy; y += kBlindPeriod)
                columns.push_back(p.orientation.Map(Rect{0, y, extent.cx, y + 1}, slide).left);
            std::sort(columns.begin(), columns.end());
            if (!columns.empty())
                fx.DrawOnCanvas({Rect{columns.front(), 0, columns.back() + 1, slide.cy}},
                                [&](Picture& canvas, Point at) { CopyColumns(canvas, at, fx.Slide(), columns); });
        } else {
            for (int y = offset; y < extent.cy; y += kBlindPeriod)
                fx.CopySlide(p.orientation.Map(Rect{0, y, extent.cx, y + 1}, slide));
        }
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

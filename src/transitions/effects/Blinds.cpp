// Window blinds: twenty frames, each copying every twentieth one-pixel line of the slide.
#include <vector>

#include "transitions/EffectKit.h"
#include "transitions/SlidePieces.h"
#include "transitions/effects/Families.h"

namespace {

constexpr int kBlindPeriod = 20;

} // namespace

// Rows (or, with swapped axes, columns); backward, the lines' offsets run from 19 down to 0.
void WindowBlind(TransitionEngine& fx, const EffectParams& p)
{
    const bool backward = std::get<Order>(p.variant) == Order::Backward;
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    std::vector<ColumnSpan> columns;
    for (int n = 0; n < kBlindPeriod; ++n) {
        const int offset = backward ? kBlindPeriod - 1 - n : n;
        if (p.orientation.swapAxes) {
            columns.clear();
            for (int y = offset; y < extent.cy; y += kBlindPeriod) {
                const Rect line = p.orientation.Map(Rect{0, y, extent.cx, y + 1}, slide);
                columns.push_back({line.left, line.right});
            }
            CopySlideColumns(fx, columns);
        } else {
            for (int y = offset; y < extent.cy; y += kBlindPeriod)
                fx.CopySlide(p.orientation.Map(Rect{0, y, extent.cx, y + 1}, slide));
        }
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

// Checkerboards: a 20 by 20 grid, one line of cells a frame (rows, or columns with swapped axes), every
// second cell of it in a first pass over the lines and the others in a second pass.
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kCells = 20;
}

// Each pass runs forward, from the first line to the last, or backward.
void Checkers(TransitionEngine& fx, const EffectParams& p)
{
    const PassOrder order = std::get<PassOrder>(p.variant);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const int along = (extent.cy + kCells) / kCells; // a cell's size in the direction of travel
    const int across = (extent.cx + kCells) / kCells;
    // Pass 0 copies the even cells of even lines and the odd cells of odd lines; pass 1 the rest.
    auto line = [&](int n, int pass) {
        const int y = n * along;
        for (int k = (n + pass) % 2; k < kCells; k += 2)
            fx.CopySlide(p.orientation.Map(Rect{k * across, y, (k + 1) * across, y + along}, slide));
    };
    auto lineAt = [](int n, Order o) { return o == Order::Backward ? kCells - 1 - n : n; };

    for (int n = 0; n < kCells; ++n) {
        line(lineAt(n, order.first), 0);
        if (!fx.EndFrame(p.delayMs))
            break; // the second pass still draws its first line
    }
    for (int n = 0; n < kCells; ++n) {
        line(lineAt(n, order.second), 1);
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

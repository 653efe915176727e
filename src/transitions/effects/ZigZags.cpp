// Zig-zag: a snake through a 20 by 20 grid of cells, one cell per frame, then the whole slide (also after a
// stop). The grid is a little larger than the slide, so the orientation mirrors and swaps cell indices,
// not pixels: the last row of cells starts at 19 cells down whatever the mirror.
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kCells = 20; // per side
constexpr int kZigZagStep = 2;
} // namespace

// Canonically "Zig-zag down": row 0 left to right, row 1 right to left, and so on.
void ZigZag(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kZigZagStep);
    const int cellWidth = (fx.SlideWidth() + kCells) / kCells;
    const int cellHeight = (fx.SlideHeight() + kCells) / kCells;
    for (int row = 0; row < kCells; ++row) {
        for (int i = 0; i < kCells; ++i) {
            const int column = row % 2 == 0 ? i : kCells - 1 - i;
            const Rect cell = p.orientation.Map(Rect{column, row, column + 1, row + 1}, Size{kCells, kCells});
            fx.CopySlide(
                Rect{cell.left * cellWidth, cell.top * cellHeight, cell.right * cellWidth, cell.bottom * cellHeight});
            if (!fx.EndFrame(p.delayMs)) {
                fx.CopyWholeSlide();
                return;
            }
        }
    }
    fx.CopyWholeSlide();
}

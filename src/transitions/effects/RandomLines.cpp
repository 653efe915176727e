// Random lines and cells: every frame draws one entry taken at random from those left, until none is left.
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kLine = 2;
constexpr int kMosaicCells = 20; // per side
} // namespace

// 2-pixel rows (columns with swapped axes) 0 to n / 2, in random order ("Lines(Horizontal)", "Lines(Vertical)").
void RandomLines(TransitionEngine& fx, const EffectParams& p)
{
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    ShuffledEntries lines = ShuffledEntries::Range(extent.cy / kLine + 1);
    while (!lines.Empty()) {
        const int k = lines.Take(fx.Rand());
        fx.CopySlide(p.orientation.Map(Rect{0, kLine * k, extent.cx, kLine * k + kLine}, slide));
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

// A 20 by 20 grid of cells, one at random per frame: 400 frames whatever the slide's size.
void Mosaic(TransitionEngine& fx, const EffectParams& p)
{
    const int cellWidth = fx.SlideWidth() / kMosaicCells + 1;
    const int cellHeight = fx.SlideHeight() / kMosaicCells + 1;
    ShuffledEntries cells = ShuffledEntries::Range(kMosaicCells * kMosaicCells);
    while (!cells.Empty()) {
        const int cell = cells.Take(fx.Rand());
        const int x = cell % kMosaicCells * cellWidth;
        const int y = cell / kMosaicCells * cellHeight;
        fx.CopySlide(Rect{x, y, x + cellWidth, y + cellHeight});
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

// Every even column once, in random order, each with a row at a random height: the columns cover the
// slide, the rows only add to the texture.
void RandomCrossLines(TransitionEngine& fx, const EffectParams& p)
{
    const int w = fx.SlideWidth();
    const int h = fx.SlideHeight();
    ShuffledEntries columns = ShuffledEntries::Range(w / kLine + 1);
    while (!columns.Empty()) {
        const int x = kLine * columns.Take(fx.Rand());
        fx.CopySlide(Rect{x, 0, x + kLine, h});
        const int y = fx.Rand() % h;
        fx.CopySlide(Rect{0, y, w, y + kLine});
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

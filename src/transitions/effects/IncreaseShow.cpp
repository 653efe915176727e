// Increase show: a dissolve. Every frame copies one small block of the slide at a random place inside each
// cell of a grid over the slide; after a fixed number of frames the rest appears at once.
#include <algorithm>
#include <vector>

#include "transitions/ComposedFrame.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kFrames = 100;
constexpr int kCell = 10;
constexpr int kBlock = 3;
} // namespace

void IncreaseShow(TransitionEngine& fx, const EffectParams& p)
{
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const int columns = (w + kCell - 1) / kCell, rows = (h + kCell - 1) / kCell;
    ComposedFrame frame(fx);
    std::vector<Point> offsets(frame.Ready() ? static_cast<size_t>(columns) * rows : 0);
    // The picture holds every frame whole, so a frame may be left out; its blocks show with the next.
    SweepToWholeSlide(fx, 0, frame.Ready() ? kFrames : 0, 1, p.delayMs, [&](int, int) {
        // The random numbers go to the cells column by column; the blocks are copied row by row, which
        // keeps a large slide's rows in the cache.
        for (int i = 0; i < columns; ++i)
            for (int j = 0; j < rows; ++j) {
                const int dx = fx.Rand() % kCell;
                offsets[static_cast<size_t>(j) * columns + i] = {dx, fx.Rand() % kCell};
            }
        // Tens of thousands of blocks a frame at 4K: copied pixel by pixel, each cut to the slide.
        const Picture& slide = fx.Slide();
        Picture& into = frame.Buffer();
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < columns; ++i) {
                const Point d = offsets[static_cast<size_t>(j) * columns + i];
                const int x = i * kCell + d.x, y = j * kCell + d.y;
                const int bw = std::min(kBlock, w - x), bh = std::min(kBlock, h - y);
                for (int row = 0; row < bh; ++row) {
                    const uint32_t* from = slide.Row(y + row) + x;
                    uint32_t* to = into.Row(y + row) + x;
                    for (int k = 0; k < bw; ++k)
                        to[k] = from[k];
                }
            }
        frame.Show();
    });
}

// Increase show: a dissolve. Every frame copies one small block of the slide at a random place inside each
// cell of a grid over the slide; after a fixed number of frames the rest appears at once.
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
    ComposedFrame frame(fx);
    for (int n = 0; n < kFrames && frame.Ready(); ++n) {
        for (int x = 0; x < w; x += kCell) {
            for (int y = 0; y < h; y += kCell) {
                const int dx = fx.Rand() % kCell;
                const int dy = fx.Rand() % kCell;
                frame.FromSlide(Rect::FromSize(x + dx, y + dy, kBlock, kBlock));
            }
        }
        frame.Show();
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

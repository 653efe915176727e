// Ellipses centred on the slide, growing or closing in, and circles growing around a random point.
#include <cmath>
#include <utility>

#include "transitions/EffectKit.h"
#include "transitions/RegionShapes.h"
#include "transitions/effects/Families.h"

namespace {

struct Box {
    long long left, top, right, bottom;
};

} // namespace

// The ellipse keeps the slide's proportions: the shorter side grows by one pixel per frame and the longer
// by i * long / short (integer division). Opening runs i = 1 .. R + 1 (R the centre's distance from the
// corner); closing shows the slide outside it for i = the shorter half down to 0. A frame whose ellipse
// GDI cannot make is skipped without its delay.
void EllipseWipe(TransitionEngine& fx, const EffectParams& p)
{
    const long long w = fx.SlideWidth(), h = fx.SlideHeight();
    const long long cx = w / 2, cy = h / 2;
    const auto centred = [&](long long i) {
        return w < h ? Box{cx - i, cy - i * h / w, cx + i, cy + i * h / w}
                     : Box{cx - i * w / h, cy - i, cx + i * w / h, cy + i};
    };
    RegionFrames frames(fx);
    // False once a stop ends the loop. The ellipses nest, so a frame may be left out; the whole slide, always
    // drawn, follows the last.
    bool first = true;
    const auto frame = [&](const Box& b, bool closing) {
        if (!Region::EllipseFits(b.left, b.top, b.right, b.bottom))
            return true;
        const bool kept = std::exchange(first, false);
        return Frame(fx, FrameKind::Overwrites, kept, p.delayMs, [&] {
            if (fx.FrameDropped())
                return;
            Region ellipse = Region::FromEllipse(Rect{static_cast<int>(b.left), static_cast<int>(b.top),
                                                      static_cast<int>(b.right), static_cast<int>(b.bottom)},
                                                 fx.SlideBounds());
            if (closing)
                frames.ShowOutside(std::move(ellipse));
            else
                frames.Show(std::move(ellipse));
        });
    };

    const EllipseForm form = std::get<EllipseForm>(p.variant);
    if (form == EllipseForm::RandomCircle) {
        const Point c = RandomInnerPoint(fx);
        const long long end = static_cast<long long>(std::sqrt(static_cast<double>(w * w + h * h)));
        for (long long i = 1; i < end; ++i) {
            if (!frame(Box{c.x - i, c.y - i, c.x + i, c.y + i}, false))
                break;
        }
    } else if (form == EllipseForm::ToCenter) {
        for (long long n = w < h ? cx : cy; n >= 0; --n) {
            if (!frame(centred(n), true))
                break;
        }
    } else {
        const long long radius = static_cast<long long>(std::sqrt(static_cast<double>(cx * cx + cy * cy)));
        for (long long i = 1; i <= radius + 1; ++i) {
            if (!frame(centred(i), false))
                break;
        }
    }
    fx.CopyWholeSlide();
}

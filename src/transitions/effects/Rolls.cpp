// Rolls: a page rolls open. Behind the roll the slide is shown; on the roll itself, the slide lines just
// beyond it, mirrored.
#include <algorithm>

#include "transitions/ComposedFrame.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kRollLines = 30;
}

// Drawn downwards (rows from the top; the orientation gives the other three). Frame i shows slide lines
// 0 to i - 1 in place and the roll on lines i to e - 1, e = min(extentH, i + 30): line i + j shows slide line
// e + 29 - j. Where that line lies beyond the slide, the roll shows the background.
void Roll(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, 2);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const int extentW = extent.cx, extentH = extent.cy;
    auto line = [&](int y) { return p.orientation.Map(Rect{0, y, extentW, y + 1}, slide); };

    ComposedFrame frame(fx);
    SweepToWholeSlide(fx, 0, frame.Ready() ? extentH : 0, 1, p.delayMs, [&](int i, int) {
        // Lines 0 to i - 2 hold the slide since the frames before; line i - 1 left the roll.
        if (i > 0)
            frame.FromSlide(line(i - 1));
        const int e = std::min(extentH, i + kRollLines);
        for (int j = 0; i + j < e; ++j) {
            const int source = e + kRollLines - 1 - j;
            const Rect to = line(i + j);
            if (source < extentH) {
                const Rect from = line(source);
                frame.FromSlide(to, Point{from.left, from.top});
            } else {
                frame.FromBackground(to);
            }
        }
        frame.Show(p.orientation.Map(Rect{0, std::max(0, i - 1), extentW, e}, slide));
    });
}

// Rain: the band of the slide at the moving edge is stretched over the part not yet reached, like streaks.
#include <algorithm>
#include <optional>

#include "gfx/Picture.h"
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

// Sets a stretch mode on window and canvas for the run and puts the previous one back on every path.
class StretchModeScope {
public:
    StretchModeScope(TransitionEngine& fx, int mode) : fx_(fx), previous_(fx.SetStretchModeBoth(mode)) { }
    ~StretchModeScope() { fx_.SetStretchModeBoth(previous_); }
    StretchModeScope(const StretchModeScope&) = delete;
    StretchModeScope& operator=(const StretchModeScope&) = delete;

private:
    TransitionEngine& fx_;
    int previous_;
};

} // namespace

// Drawn downwards (rows; columns when the orientation swaps the axes). The leading kind (down, right)
// stretches the band just reached and copies the band before it in place; the trailing kind (up, left,
// drawn mirrored) copies the band just reached in place and stretches it over the rest.
void Rain(TransitionEngine& fx, const EffectParams& p)
{
    const RainForm form = std::get<RainForm>(p.variant);
    const bool trailing = form == RainForm::Trailing;
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const int extentW = extent.cx, extentH = extent.cy;
    const long long s = fx.Step();
    // A step beyond the slide needs no more of the band than the slide has.
    const int band = static_cast<int>(std::min<long long>(s, extentH));
    const Rect bandShape = p.orientation.Map(Rect{0, 0, extentW, band}, slide);

    Picture streak; // the band being stretched, upright
    if (streak.CreateBlank(bandShape.Width(), bandShape.Height(), 0)) {
        std::optional<StretchModeScope> halftone;
        if (form == RainForm::LeadingHalftone)
            halftone.emplace(fx, kHalftone);
        auto take = [&](const Rect& rows) {
            streak.BitBlt(0, 0, rows.Width(), rows.Height(), fx.Slide(), rows.left, rows.top);
        };
        auto pour = [&](int from) {
            const Rect over = p.orientation.Map(Rect{0, from, extentW, extentH}, slide);
            fx.StretchSlideRect(over.left, over.top, over.right, over.bottom, streak, 0, 0, streak.Width(),
                                streak.Height());
        };
        // The rows the edge passed since the last frame drawn come in place, so a frame may be left out.
        if (!trailing) {
            Sweep(fx, FrameKind::Overwrites, 0, extentH, s, p.delayMs, [&](int y, int last) {
                take(p.orientation.Map(Rect{0, y, extentW, y + band}, slide));
                fx.CopySlide(p.orientation.Map(Rect{0, last, extentW, y}, slide));
                pour(y);
            });
        } else {
            Sweep(fx, FrameKind::Overwrites, s, extentH, s, p.delayMs, [&](int a, int last) {
                const Rect rows = p.orientation.Map(Rect{0, a - band, extentW, a}, slide);
                take(rows);
                fx.CopySlide(p.orientation.Map(Rect{0, std::min(last, a - band), extentW, a}, slide));
                pour(a);
            });
        }
    }
    fx.CopyWholeSlide();
}

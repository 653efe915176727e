// Sweeps: a pattern of 20 bands, 20 pixels apart, advances 20 pixels per frame. The bands at the leading
// edge are thin and thicken toward the trailing side, so the slide arrives through a graded edge; the
// whole slide closes the sweep, also after a stop.
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kBands = 20;
constexpr int kAdvance = 20;
constexpr int kLead = kBands * kAdvance; // the pattern starts this far before the slide
} // namespace

// Toward larger y (x with swapped axes): band k is the rows o + 20k up to o + 20 + 19k, 20 - k thick.
// Started at the slide ("Sweep down"), nothing is drawn while the first band still ends above the slide.
void SweepForward(TransitionEngine& fx, const EffectParams& p)
{
    const bool atTheSlide = std::get<SweepStart>(p.variant) == SweepStart::AtTheSlide;
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    for (long long o = -kLead; o < extent.cy; o += kAdvance) {
        if (!atTheSlide || o + kAdvance >= 0) {
            for (long long k = 0; k < kBands; ++k) {
                const Rect band{0, static_cast<int>(o + kAdvance * k), extent.cx,
                                static_cast<int>(o + kAdvance + (kAdvance - 1) * k)};
                fx.CopySlide(p.orientation.Map(band, slide));
            }
        }
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

// Toward smaller y (x with swapped axes), at real positions: band k is the rows n + 20 + 20k up to
// n + 21(k + 1), k + 1 thick, for n from the far side plus 400 down by 20 while n > -420.
void SweepBackward(TransitionEngine& fx, const EffectParams& p)
{
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    for (long long n = static_cast<long long>(extent.cy) + kLead; n > -(kLead + kAdvance); n -= kAdvance) {
        for (long long k = 0; k < kBands; ++k) {
            const Rect band{0, static_cast<int>(n + kAdvance + kAdvance * k), extent.cx,
                            static_cast<int>(n + (kAdvance + 1) * (k + 1))};
            fx.CopySlide(p.orientation.Map(band, slide));
        }
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

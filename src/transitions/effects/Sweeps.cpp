// Sweeps: a pattern of 20 bands, 20 pixels apart, advances 20 pixels per frame. The bands at the leading
// edge are thin and thicken toward the trailing side, so the slide arrives through a graded edge; the
// whole slide closes the sweep, also after a stop.
#include <vector>

#include "transitions/EffectKit.h"
#include "transitions/SlidePieces.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kBands = 20;
constexpr int kAdvance = 20;
constexpr int kLead = kBands * kAdvance; // the pattern starts this far before the slide

// Copies a frame's bands (across the extent, in its coordinates): rows one by one, columns (swapped axes) all
// together row by row.
class FrameBands {
public:
    FrameBands(TransitionEngine& fx, const EffectParams& p) : fx_(fx), p_(p) { }
    void Add(long long top, long long bottom)
    {
        const Size slide = fx_.SlideSize();
        const Rect band = p_.orientation.Map(
            Rect{0, static_cast<int>(top), p_.orientation.Extent(slide).cx, static_cast<int>(bottom)}, slide);
        if (p_.orientation.swapAxes)
            columns_.push_back({band.left, band.right});
        else
            fx_.CopySlide(band);
    }
    void Copy()
    {
        CopySlideColumns(fx_, columns_);
        columns_.clear();
    }

private:
    TransitionEngine& fx_;
    const EffectParams& p_;
    std::vector<ColumnSpan> columns_;
};
} // namespace

// Toward larger y (x with swapped axes): band k is the rows o + 20k up to o + 20 + 19k, 20 - k thick.
// Started at the slide ("Sweep down"), nothing is drawn while the first band still ends above the slide.
void SweepForward(TransitionEngine& fx, const EffectParams& p)
{
    const bool atTheSlide = std::get<SweepStart>(p.variant) == SweepStart::AtTheSlide;
    const Size extent = p.orientation.Extent(fx.SlideSize());
    FrameBands bands(fx, p);
    for (long long o = -kLead; o < extent.cy; o += kAdvance) {
        if (!atTheSlide || o + kAdvance >= 0) {
            for (long long k = 0; k < kBands; ++k)
                bands.Add(o + kAdvance * k, o + kAdvance + (kAdvance - 1) * k);
            bands.Copy();
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
    const Size extent = p.orientation.Extent(fx.SlideSize());
    FrameBands bands(fx, p);
    for (long long n = static_cast<long long>(extent.cy) + kLead; n > -(kLead + kAdvance); n -= kAdvance) {
        for (long long k = 0; k < kBands; ++k)
            bands.Add(n + kAdvance + kAdvance * k, n + (kAdvance + 1) * (k + 1));
        bands.Copy();
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

// Scans: thin strips copied one after another (two at a time toward or from the middle), at a step of 2.
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

constexpr int kStrip = 2;
constexpr int kScanStep = 2;

Rect Row(int y, int length)
{
    return {0, y, length, y + kStrip};
}

} // namespace

// Strips from the top (left), one per frame. Past the edge, the scan keeps going until a strip starts at or
// beyond the far edge (otherwise it ends before that strip); a scan that ends with the whole slide makes
// that copy after a stop too.
void Scan(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kScanStep);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const ScanEnd end = std::get<ScanEnd>(p.variant);
    for (long long s = 0;; s += fx.Step()) {
        if (end != ScanEnd::PastEdge && s >= extent.cy)
            break;
        fx.CopySlide(p.orientation.Map(Row(static_cast<int>(s), extent.cx), slide));
        if (!fx.EndFrame(p.delayMs))
            break;
        if (end == ScanEnd::PastEdge && s >= extent.cy)
            break;
    }
    if (end == ScanEnd::WholeSlide)
        fx.CopyWholeSlide();
}

// "Scan left": 1-pixel columns from w - 2 down to -1, one per frame.
void ScanLeft(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kScanStep);
    const int w = fx.SlideWidth();
    for (int i = 0; i < w; ++i) {
        const int x = w - 2 - i;
        fx.CopySlide(Rect{x, 0, x + 1, fx.SlideHeight()});
        if (!fx.EndFrame(p.delayMs))
            break;
    }
}

// Two strips per frame, from both edges toward the middle, until they have met; then the whole slide.
void ScanToCenter(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kScanStep);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    for (long long s = 0; s <= extent.cy / 2 + 1; s += fx.Step()) {
        const int y = static_cast<int>(s);
        fx.CopySlide(p.orientation.Map(Row(y, extent.cx), slide));
        fx.CopySlide(p.orientation.Map(Row(extent.cy - y - kStrip, extent.cx), slide));
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

// Two strips per frame, from the middle m = n / 2 + 1 out to both edges; then the whole slide.
void ScanToEdge(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, kScanStep);
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const int m = extent.cy / 2 + 1;
    for (long long s = 0; s < m; s += fx.Step()) {
        const int y = static_cast<int>(s);
        fx.CopySlide(p.orientation.Map(Row(m - y - kStrip, extent.cx), slide));
        fx.CopySlide(p.orientation.Map(Row(m + y, extent.cx), slide));
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

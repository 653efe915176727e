// Boxes of the slide: an 8 by 8 grid of cells filled along a square spiral, and a box growing from the
// centre one pixel a frame on its shorter half-axis.
#include <array>

#include "transitions/EffectKit.h"
#include "transitions/RectOutside.h"
#include "transitions/effects/Families.h"

namespace {

constexpr int kGrid = 8;

// The spiral from cell (3, 3): runs of 1, 1, 2, 2, ..., 7, 7 cells turning down, right, up and left in
// turn, then a last run of 7 up to the top-right cell.
std::array<Point, kGrid * kGrid> SpiralFromCenter()
{
    const Point turns[4] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    std::array<Point, kGrid * kGrid> cells{};
    Point at{3, 3};
    size_t n = 0;
    cells[n++] = at;
    auto walk = [&](Point by, int run) {
        for (int k = 0; k < run; ++k) {
            at = Point{at.x + by.x, at.y + by.y};
            cells[n++] = at;
        }
    };
    int turn = 0;
    for (int run = 1; run < kGrid; ++run) {
        for (int twice = 0; twice < 2; ++twice)
            walk(turns[turn++ % 4], run);
    }
    walk(turns[2], kGrid - 1);
    return cells;
}

} // namespace

// One cell a frame; to the centre, the spiral is walked backwards, from the top-right cell.
void BlockSpiral(TransitionEngine& fx, const EffectParams& p)
{
    static const std::array<Point, kGrid* kGrid> kSpiral = SpiralFromCenter();
    const bool inward = std::get<Reveal>(p.variant) == Reveal::ToCenter;
    const int cw = fx.SlideWidth() / kGrid + 1;
    const int ch = fx.SlideHeight() / kGrid + 1;
    for (size_t n = 0; n < kSpiral.size(); ++n) {
        const Point cell = kSpiral[inward ? kSpiral.size() - 1 - n : n];
        fx.CopySlide(Rect{cell.x * cw, cell.y * ch, (cell.x + 1) * cw, (cell.y + 1) * ch});
        if (!fx.EndFrame(p.delayMs))
            return;
    }
}

// Frame i copies the box of half-height i (wide slides) or half-width i (tall ones) around (w / 2, h / 2),
// the other half-axis scaled by the slide's proportions; the whole slide follows, after a stop too.
void CenterDiffuse(TransitionEngine& fx, const EffectParams& p)
{
    const long long w = fx.SlideWidth(), h = fx.SlideHeight();
    const int dx = static_cast<int>(w / 2), dy = static_cast<int>(h / 2);
    const bool wide = w >= h;
    const int frames = wide ? dy : dx;
    Rect shown;
    for (int i = 0; i < frames; ++i) {
        const Rect box = wide
            ? Rect{dx - static_cast<int>(i * w / h), dy - i, dx + static_cast<int>(i * w / h), dy + i}
            : Rect{dx - i, dy - static_cast<int>(i * h / w), dx + i, dy + static_cast<int>(i * h / w)};
        // The box only grows: the last one shows already.
        ForEachRectOutside(box, shown, [&](const Rect& r) { fx.CopySlide(r); });
        shown = box;
        if (!fx.EndFrame(p.delayMs))
            break;
    }
    fx.CopyWholeSlide();
}

// Ragged bands: strips copied straight from the slide whose free ends reach a random 0 to 49 pixels past
// the nominal end, a new number for every end in every frame, so the edge flickers as it advances. The
// sweeps run 50 pixels past the far edge so that the ragged ends clear it.
//
// A frame's bands always contain the solid part the frame before reached, so only what lies outside that
// part is copied: the canvas ends every frame exactly as if the whole bands had been copied.
#include <algorithm>
#include <climits>
#include <vector>

#include "gfx/Region.h"
#include "transitions/EffectKit.h"
#include "transitions/RectOutside.h"
#include "transitions/SlidePieces.h"
#include "transitions/effects/Families.h"

namespace {

constexpr int kRagged = 50;

int RaggedEnd(TransitionEngine& fx)
{
    return fx.Rand() % kRagged;
}

// The rows (top to bottom) and then the columns (left to right) of the ragged box around the slide's
// centre with half-width f and half-height g = r * f; each of their ends gets its own random number.
template <typename Row, typename Column>
void RaggedBox(TransitionEngine& fx, int f, int thickness, float ratio, Row&& row, Column&& column)
{
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    const int cx = w / 2 + 1, cy = h / 2 + 1;
    const int g = TruncTimes(ratio, f);
    for (long long y = std::max(0, cy - g); y < std::min(h, cy + g); y += thickness) {
        const int left = cx - f - RaggedEnd(fx);
        const int right = cx + f + RaggedEnd(fx);
        row(Rect{left, static_cast<int>(y), right, static_cast<int>(y + thickness)});
    }
    for (long long x = std::max(0, cx - f); x < std::min(w, cx + f); x += thickness) {
        const int top = cy - g - RaggedEnd(fx);
        const int bottom = cy + g + RaggedEnd(fx);
        column(Rect{static_cast<int>(x), top, static_cast<int>(x + thickness), bottom});
    }
}

// The solid middle of the ragged box with half-width f: every row and column of it covers this much.
Rect BoxCore(const TransitionEngine& fx, int f, float ratio)
{
    const int cx = fx.SlideWidth() / 2 + 1, cy = fx.SlideHeight() / 2 + 1;
    const int g = TruncTimes(ratio, f);
    return Rect{cx - f, cy - g, cx + f, cy + g};
}

// The union of the box's rows and columns (each inside the slide, rows top to bottom and columns left to
// right, neither overlapping its own kind) as a region, pixel row by pixel row. The columns' spans change
// only at a column's top or bottom, so hundreds of bands a frame stay cheap.
Region BoxUnion(const std::vector<Rect>& rows, const std::vector<Rect>& columns, int height)
{
    std::vector<int> changes;
    changes.reserve(columns.size() * 2);
    for (const Rect& c : columns) {
        changes.push_back(c.top);
        changes.push_back(c.bottom);
    }
    std::sort(changes.begin(), changes.end());
    changes.erase(std::unique(changes.begin(), changes.end()), changes.end());

    std::vector<std::vector<Region::Span>> lines(static_cast<size_t>(height));
    std::vector<Region::Span> across;
    size_t change = 0, row = 0;
    for (int y = 0; y < height; ++y) {
        if (change < changes.size() && changes[change] == y) {
            ++change;
            across.clear();
            for (const Rect& c : columns) {
                if (c.top > y || y >= c.bottom)
                    continue;
                if (!across.empty() && across.back().right >= c.left)
                    across.back().right = std::max(across.back().right, c.right);
                else
                    across.push_back({c.left, c.right});
            }
        }
        while (row < rows.size() && rows[row].bottom <= y)
            ++row;
        std::vector<Region::Span>& line = lines[static_cast<size_t>(y)];
        line = across;
        if (row < rows.size() && rows[row].top <= y)
            line.push_back({rows[row].left, rows[row].right});
    }
    return Region::FromRows(0, lines);
}

// Columns of width T growing downward (in the orientation's canonical direction), `columns` of them.
void GrowBands(TransitionEngine& fx, const EffectParams& p, long long columns)
{
    const Size slide = fx.SlideSize();
    const Size extent = p.orientation.Extent(slide);
    const long long t = p.size;
    Sweep(fx, 0, extent.cy + kRagged, fx.Step(), p.delayMs, [&](int pos, int last) {
        const Rect shown{0, 0, extent.cx, last};
        for (long long i = 0; i < columns; ++i) {
            const int x = static_cast<int>(i * t);
            const Rect band{x, 0, static_cast<int>(x + t), pos + RaggedEnd(fx)};
            ForEachRectOutside(band, shown, [&](const Rect& r) { fx.CopySlide(p.orientation.Map(r, slide)); });
        }
    });
}

} // namespace

// "Band down" reseeds and counts w / T columns rounded up.
void BandDown(TransitionEngine& fx, const EffectParams& p)
{
    fx.Reseed();
    GrowBands(fx, p, (fx.SlideWidth() + p.size - 1LL) / p.size);
}

// The other edges count (extent + T) / T bands.
void EdgeBand(TransitionEngine& fx, const EffectParams& p)
{
    GrowBands(fx, p, (p.orientation.Extent(fx.SlideSize()).cx + static_cast<long long>(p.size)) / p.size);
}

// A rectangle growing from a corner, drawn from the top-left one: its width is the distance d covered, its
// height f = r * d; rows of height T cover the height (f / T + 1 of them, ragged at their free end) and
// columns of width T the width (d / T + 1, ragged at their free end). A right-hand corner's columns are
// laid out from the moving edge rather than the anchored one.
void CornerBand(TransitionEngine& fx, const EffectParams& p)
{
    const Corner from = std::get<Corner>(p.variant);
    const bool right = AtRight(from);
    const Orientation corner = Orientation::Mirrored(right, AtBottom(from));
    const Size slide = fx.SlideSize();
    const float ratio = SingleRatio(slide.cy, slide.cx);
    const long long t = p.size;
    std::vector<Rect> pieces;
    Sweep(fx, 0, slide.cx + kRagged, fx.Step(), p.delayMs, [&](int d, int last) {
        const int f = TruncTimes(ratio, d);
        const Rect shown{0, 0, last, TruncTimes(ratio, last)};
        pieces.clear();
        auto copy = [&](const Rect& band) {
            ForEachRectOutside(band, shown, [&](const Rect& r) { pieces.push_back(corner.Map(r, slide)); });
        };
        for (long long k = 0; k <= f / t; ++k) {
            const int y = static_cast<int>(k * t);
            copy(Rect{0, y, d + RaggedEnd(fx), static_cast<int>(y + t)});
        }
        for (long long k = 0; k <= d / t; ++k) {
            const long long x = right ? d - (k + 1) * t : k * t;
            copy(Rect{static_cast<int>(x), 0, static_cast<int>(x + t), f + RaggedEnd(fx)});
        }
        // Hundreds of pieces along the rectangle's two moving edges: outside what showed, inside the reach of
        // the bands and their ragged ends (columns laid out from a right-hand corner start up to a band early).
        const int reach = static_cast<int>(std::max<long long>(kRagged, t));
        const int farX = static_cast<int>(std::min<long long>(d + reach, INT_MAX));
        const int farY = static_cast<int>(std::min<long long>(f + reach, INT_MAX));
        CopySlidePieces(fx, pieces,
                        {corner.Map(Rect{shown.right, 0, farX, farY}, slide),
                         corner.Map(Rect{static_cast<int>(-t), shown.bottom, farX, farY}, slide)});
    });
}

// A ragged box growing from the centre.
void BandFromCenter(TransitionEngine& fx, const EffectParams& p)
{
    fx.Reseed();
    const int w = fx.SlideWidth();
    const float ratio = SingleRatio(fx.SlideHeight(), w);
    Sweep(fx, 0, w / 2 + 1 + kRagged, fx.Step(), p.delayMs, [&](int f, int last) {
        const Rect shown = BoxCore(fx, last, ratio);
        auto copy = [&](const Rect& band) { ForEachRectOutside(band, shown, [&](const Rect& r) { fx.CopySlide(r); }); };
        RaggedBox(fx, f, p.size, ratio, copy, copy);
    });
}

// The slide closing in from the edges: everything outside a shrinking ragged box.
void BandToCenter(TransitionEngine& fx, const EffectParams& p)
{
    const Rect bounds = fx.SlideBounds();
    const float ratio = SingleRatio(fx.SlideHeight(), fx.SlideWidth());
    std::vector<Rect> rows, columns;
    auto keep = [&](std::vector<Rect>& bands, const Rect& band) {
        const Rect r = band.Intersect(bounds);
        if (!r.IsEmpty())
            bands.push_back(r);
    };
    auto keepRow = [&](const Rect& r) { keep(rows, r); };
    auto keepColumn = [&](const Rect& r) { keep(columns, r); };
    // Outside the last frame's box everything shows already (before the first, nothing does).
    Region before = Region::FromRect(bounds);
    Sweep(fx, fx.SlideWidth() / 2 + 1, -kRagged, -static_cast<long long>(fx.Step()), p.delayMs, [&](int e, int) {
        rows.clear();
        columns.clear();
        RaggedBox(fx, e, p.size, ratio, keepRow, keepColumn);
        Region box = BoxUnion(rows, columns, fx.SlideHeight());
        fx.CopySlideThrough(Region::Combine(before, box, RegionOp::Diff));
        before = std::move(box);
    });
}

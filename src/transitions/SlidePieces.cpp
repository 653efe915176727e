#include "transitions/SlidePieces.h"

#include <algorithm>

#include "gfx/Picture.h"

namespace {

// The part of the slide the canvas shows, in slide coordinates: the slide lies at `at` on the canvas, which may
// cut it.
Rect SlideOnCanvas(const TransitionEngine& fx, const Picture& canvas, Point at)
{
    return fx.SlideBounds().Intersect(Rect{-at.x, -at.y, canvas.Width() - at.x, canvas.Height() - at.y});
}

} // namespace

void CopySlideColumns(TransitionEngine& fx, const std::vector<ColumnSpan>& spans)
{
    std::vector<ColumnSpan> cut;
    cut.reserve(spans.size());
    for (const ColumnSpan& s : spans) {
        const int left = std::max(s.left, 0), right = std::min(s.right, fx.SlideWidth());
        if (left < right)
            cut.push_back({left, right});
    }
    if (cut.empty())
        return;
    std::sort(cut.begin(), cut.end(), [](ColumnSpan a, ColumnSpan b) { return a.left < b.left; });
    const Picture& slide = fx.Slide();
    fx.DrawOnCanvas({Rect{cut.front().left, 0, cut.back().right, fx.SlideHeight()}}, [&](Picture& canvas, Point at) {
        const Rect visible = SlideOnCanvas(fx, canvas, at);
        std::erase_if(cut, [&](ColumnSpan& s) {
            s = {std::max(s.left, visible.left), std::min(s.right, visible.right)};
            return s.left >= s.right;
        });
        for (int y = visible.top; y < visible.bottom; ++y) {
            uint32_t* to = canvas.Row(at.y + y) + at.x;
            const uint32_t* from = slide.Row(y);
            for (const ColumnSpan& s : cut)
                for (int x = s.left; x < s.right; ++x)
                    to[x] = from[x];
        }
    });
}

void CopySlidePieces(TransitionEngine& fx, const std::vector<Rect>& pieces, std::initializer_list<Rect> shown)
{
    const Picture& slide = fx.Slide();
    fx.DrawOnCanvas(shown, [&](Picture& canvas, Point at) {
        const Rect visible = SlideOnCanvas(fx, canvas, at);
        for (const Rect& piece : pieces) {
            const Rect c = piece.Intersect(visible);
            for (int y = c.top; y < c.bottom; ++y)
                std::copy(slide.Row(y) + c.left, slide.Row(y) + c.right, canvas.Row(at.y + y) + at.x + c.left);
        }
    });
}

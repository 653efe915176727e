#include "transitions/SlidePieces.h"

#include <algorithm>

#include "gfx/Picture.h"

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
        // The slide lies at `at` on the canvas, which may cut it.
        std::erase_if(cut, [&](ColumnSpan& s) {
            s = {std::max(s.left, -at.x), std::min(s.right, canvas.Width() - at.x)};
            return s.left >= s.right;
        });
        const int y0 = std::max(0, -at.y), y1 = std::min(slide.Height(), canvas.Height() - at.y);
        for (int y = y0; y < y1; ++y) {
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
        // The slide lies at `at` on the canvas, which may cut it.
        const Rect visible =
            fx.SlideBounds().Intersect(Rect{-at.x, -at.y, canvas.Width() - at.x, canvas.Height() - at.y});
        for (const Rect& piece : pieces) {
            const Rect c = piece.Intersect(visible);
            for (int y = c.top; y < c.bottom; ++y)
                std::copy(slide.Row(y) + c.left, slide.Row(y) + c.right, canvas.Row(at.y + y) + at.x + c.left);
        }
    });
}

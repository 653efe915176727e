#include "transitions/ChangedTiles.h"

#include <algorithm>

void ChangedTiles::Reset(Size canvas)
{
    canvas_ = canvas;
    columns_ = std::max(0, (canvas.cx + kTile - 1) / kTile);
    rows_ = std::max(0, (canvas.cy + kTile - 1) / kTile);
    tiles_.assign(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), 0);
    marked_ = 0;
}

void ChangedTiles::Mark(const Rect& r)
{
    const Rect c = r.Intersect(Rect{0, 0, canvas_.cx, canvas_.cy});
    if (c.IsEmpty())
        return;
    const int x1 = (c.right + kTile - 1) / kTile;
    for (int ty = c.top / kTile; ty < (c.bottom + kTile - 1) / kTile; ++ty) {
        uint8_t* row = &tiles_[static_cast<size_t>(ty) * static_cast<size_t>(columns_)];
        for (int tx = c.left / kTile; tx < x1; ++tx) {
            marked_ += row[tx] == 0;
            row[tx] = 1;
        }
    }
}

void ChangedTiles::TakeRects(std::vector<Rect>& out)
{
    if (marked_ == 0)
        return;
    // The rectangles still growing downward: the runs of the tile row above.
    std::vector<size_t> open, next;
    for (int ty = 0; ty < rows_; ++ty) {
        uint8_t* row = &tiles_[static_cast<size_t>(ty) * static_cast<size_t>(columns_)];
        next.clear();
        for (int tx = 0; tx < columns_;) {
            if (!row[tx]) {
                ++tx;
                continue;
            }
            const int from = tx;
            while (tx < columns_ && row[tx])
                row[tx++] = 0;
            const Rect run{from * kTile, ty * kTile, std::min(tx * kTile, canvas_.cx),
                           std::min((ty + 1) * kTile, canvas_.cy)};
            const auto same = std::find_if(open.begin(), open.end(), [&](size_t i) {
                return out[i].left == run.left && out[i].right == run.right;
            });
            if (same != open.end()) {
                out[*same].bottom = run.bottom;
                next.push_back(*same);
            } else {
                next.push_back(out.size());
                out.push_back(run);
            }
        }
        open.swap(next);
    }
    marked_ = 0;
}

// Stretched block transfers.
//
// COLORONCOLOR picks one source pixel per destination pixel, stepping through the source as GDI does.
// HALFTONE filters separably: a box (area average) where an axis is reduced, linear between pixel centres
// where it is enlarged; rows are combined first into a row of 16-bit values, then columns, in 14-bit fixed
// point. BLACKONWHITE and WHITEONBLACK combine all source pixels a reduction merges into one with AND or OR.
// Each axis is mapped once per call (StretchAxis.h: which source pixels, which weights; for columns also as
// runs of neighbouring pixels); the rows are then made from the maps (StretchRows.h), straight into the
// picture or through a line where a clip or a raster operation stands between.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "base/SecondThread.h"
#include "gfx/DrawHelpers.h"
#include "gfx/Picture.h"
#include "gfx/PixelFill.h"
#include "gfx/StretchAxis.h"
#include "gfx/StretchRows.h"
#include "gfx/StretchRowsWide.h"

namespace {

// Source pixels a filtered stretch reads from which two threads make its rows (about a quarter of a
// millisecond of work, well above what starting a thread costs).
constexpr int64_t kSplitWork = int64_t(1) << 18;
// Beyond this the mapping's products would overflow; no real drawing comes near it.
constexpr int64_t kLimit = int64_t(1) << 28;

// The pixels one extent covers along its axis: `size` of them from `first` on.
struct Extent {
    int64_t first;
    int64_t size;
    bool negative; // given negative: an axis whose two extents differ in sign is mirrored
};

// A negative extent covers the pixels from pos + extent + 1 up to pos, as GDI takes it.
Extent Covered(int pos, int extent)
{
    if (extent < 0)
        return {int64_t(pos) + extent + 1, -int64_t(extent), true};
    return {pos, extent, false};
}

bool WithinLimit(const Extent& e)
{
    return e.first >= -kLimit && e.first <= kLimit && e.size <= kLimit;
}

// Only the visible part of the destination is computed, so huge enlargements cost what they show: the part
// inside the picture and its clip region's bounds. Nothing where that is empty.
std::optional<Rect> VisiblePart(const Picture& dest, const Extent& x, const Extent& y)
{
    Rect bounds = dest.GetRect();
    if (const Region* clip = dest.GetClipRgn())
        bounds = bounds.Intersect(clip->Bounds());
    const int64_t x0 = std::max<int64_t>(x.first, bounds.left), x1 = std::min<int64_t>(x.first + x.size, bounds.right);
    const int64_t y0 = std::max<int64_t>(y.first, bounds.top), y1 = std::min<int64_t>(y.first + y.size, bounds.bottom);
    if (x0 >= x1 || y0 >= y1)
        return std::nullopt;
    return Rect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)};
}

AxisSpec Axis(const Extent& dest, const Extent& source, int sourceSize, bool vertical)
{
    return {dest.size, source.size, source.first, sourceSize, dest.negative, source.negative, vertical};
}

// What making one row needs besides the maps; one per thread making rows.
struct Scratch {
    std::vector<int16_t> combined;
    std::vector<const uint32_t*> rows;
};

// Makes the visible destination rows of one stretch from its two axis maps. Each row depends only on the
// source, so rows may be made in any order and on any thread.
class RowMaker {
public:
    RowMaker(const Picture& src, const AxisMap& xs, const AxisMap& ys, int mode, int top)
        : src_(src),
          xs_(xs),
          ys_(ys),
          mode_(mode),
          top_(top),
          width_(xs.Size()),
          allValid_(std::find(xs.nearest.begin(), xs.nearest.end(), -1) == xs.nearest.end()),
          // AND and OR differ from picking one pixel only where a reduction merges pixels.
          merge_((mode == kBlackOnWhite || mode == kWhiteOnBlack) && (xs.reduce || ys.reduce))
    {
    }

    // Whether every visible column has a source pixel.
    bool AllColumnsDrawn() const { return allValid_; }

    // The source pixels a filtered stretch reads for all its rows, what they cost; 0 for the other modes.
    int64_t PixelsRead() const
    {
        if (mode_ != kHalftone)
            return 0;
        return int64_t(ys_.tapStart.back()) * std::max<int64_t>(xs_.spanHi - xs_.spanLo, int64_t(width_));
    }

    // Makes destination row `row` (its visible columns; those without a source pixel are not written); false
    // where its source lies outside the source picture.
    bool Make(int row, uint32_t* out, Scratch& own) const
    {
        const size_t at = static_cast<size_t>(row - top_);
        if (ys_.nearest[at] < 0)
            return false;
        if (mode_ == kHalftone)
            MakeFiltered(at, out, own);
        else if (merge_)
            MakeMerged(at, out);
        else
            MakePicked(at, out);
        return true;
    }

private:
    void MakeFiltered(size_t at, uint32_t* out, Scratch& own) const
    {
        const int begin = ys_.tapStart[at], taps = ys_.tapStart[at + 1] - begin;
        if (taps == 2 && ys_.tapWeight[begin] == kWeightOne)
            FilterOneRow(src_.Row(ys_.tapIndex[begin]), out, own);
        else
            CombineSourceRows(begin, taps, out, own);
    }

    // A destination row that is one source row: copied where the columns are the source's own.
    void FilterOneRow(const uint32_t* source, uint32_t* out, Scratch& own) const
    {
        if (xs_.identity) {
            CopyPixels(source + xs_.nearest.front(), width_, out);
        } else if (allValid_ && xs_.runTaps && WideRows()) {
            // The wide columns take combined values: the row is widened to them first.
            const int span = xs_.spanHi - xs_.spanLo;
            own.combined.resize(static_cast<size_t>(span) * 4);
            WidenRow(source + xs_.spanLo, span, own.combined.data());
            CombineColumns(own.combined.data(), xs_, allValid_, out);
        } else {
            FilterColumns(source, xs_, allValid_, out);
        }
    }

    // A destination row merging several source rows (taps [begin, begin + taps) of the row axis): the rows
    // combined, then the columns; straight into pixels where the columns are the source's own.
    void CombineSourceRows(int begin, int taps, uint32_t* out, Scratch& own) const
    {
        own.rows.resize(static_cast<size_t>(taps));
        for (int t = 0; t < taps; ++t)
            own.rows[static_cast<size_t>(t)] = src_.Row(ys_.tapIndex[begin + t]);
        const int32_t* weights = ys_.pairWeight.data() + begin / 2;
        if (xs_.identity) {
            CombineRowsToPixels(own.rows.data(), weights, taps, xs_.nearest.front(), static_cast<int>(width_), out);
            return;
        }
        const int span = xs_.spanHi - xs_.spanLo;
        own.combined.resize(static_cast<size_t>(std::max(span, 0)) * 4);
        CombineRows(own.rows.data(), weights, taps, xs_.spanLo, span, own.combined.data());
        CombineColumns(own.combined.data(), xs_, allValid_, out);
    }

    // Every source pixel a reduction merges into a destination pixel, combined with AND (BLACKONWHITE) or OR.
    void MakeMerged(size_t at, uint32_t* out) const
    {
        const bool useAnd = mode_ == kBlackOnWhite;
        const int r0 = ys_.reduce ? ys_.first[at] : ys_.nearest[at];
        const int r1 = ys_.reduce ? ys_.last[at] : r0 + 1;
        for (size_t i = 0; i < width_; ++i) {
            if (xs_.nearest[i] < 0)
                continue;
            const int c0 = xs_.reduce ? xs_.first[i] : xs_.nearest[i];
            const int c1 = xs_.reduce ? xs_.last[i] : c0 + 1;
            uint32_t acc = useAnd ? 0x00FFFFFF : 0;
            for (int r = r0; r < r1; ++r) {
                const uint32_t* s = src_.Row(r);
                for (int c = c0; c < c1; ++c)
                    acc = useAnd ? (acc & s[c]) : (acc | s[c]);
            }
            out[i] = acc & 0x00FFFFFF;
        }
    }

    // One source pixel for each destination pixel.
    void MakePicked(size_t at, uint32_t* out) const
    {
        const uint32_t* s = src_.Row(ys_.nearest[at]);
        if (xs_.identity) {
            std::memcpy(out, s + xs_.nearest.front(), sizeof(uint32_t) * width_);
        } else if (!xs_.nearestRuns.empty()) {
            for (const AxisMap::NearestRun& r : xs_.nearestRuns)
                FillPixels(out + r.at, r.count, s[r.source]);
        } else {
            for (size_t i = 0; i < width_; ++i)
                if (xs_.nearest[i] >= 0)
                    out[i] = s[xs_.nearest[i]];
        }
    }

    const Picture& src_;
    const AxisMap& xs_;
    const AxisMap& ys_;
    int mode_;
    int top_;
    size_t width_;
    bool allValid_;
    bool merge_;
};

// A filtered stretch reads every source pixel it merges: at full screen that is milliseconds a frame, so a
// large one shares its rows with a second thread, a few at a time, so that neither waits for the other (the
// second starts late). The pixels are the same either way.
void ShareRows(Picture& dest, const Rect& visible, const RowMaker& maker)
{
    constexpr int kRowsTaken = 8;
    std::atomic<int> next{visible.top};
    auto takeRows = [&](Scratch& own) {
        for (int from = next.fetch_add(kRowsTaken); from < visible.bottom; from = next.fetch_add(kRowsTaken))
            for (int y = from, to = std::min(from + kRowsTaken, visible.bottom); y < to; ++y)
                maker.Make(y, dest.Row(y) + visible.left, own);
    };
    Scratch own, other;
    SecondThread second([&] { takeRows(other); });
    try {
        takeRows(own);
    } catch (...) {
        next = visible.bottom; // the second thread stops after its rows in hand and is waited for
        throw;
    }
    second.Join(); // what it failed with (out of memory): its rows were not all made
}

// Rows made straight into the destination: nothing stands between.
void MakeRowsInPlace(Picture& dest, const Rect& visible, const RowMaker& maker)
{
    if (maker.PixelsRead() >= kSplitWork && visible.Height() >= 2 && SecondThread::Worthwhile()) {
        ShareRows(dest, visible, maker);
        return;
    }
    Scratch scratch;
    for (int y = visible.top; y < visible.bottom; ++y)
        maker.Make(y, dest.Row(y) + visible.left, scratch);
}

// Rows made into a line first, which the raster operation puts into the destination where its clip allows and
// the columns have a source pixel.
void MakeRowsThroughLine(Picture& dest, const Rect& visible, const RowMaker& maker, const AxisMap& xs, RasterOp rop)
{
    std::vector<uint32_t> line(xs.Size());
    Scratch scratch;
    int lineRow = -1;
    bool lineValid = false;
    ForEachVisibleSpan(dest, visible, [&](int y, int x0, int x1) {
        if (y != lineRow) {
            lineValid = maker.Make(y, line.data(), scratch);
            lineRow = y;
        }
        if (!lineValid)
            return;
        uint32_t* d = dest.Row(y);
        const int base = visible.left;
        int i = x0;
        while (i < x1) {
            if (xs.nearest[static_cast<size_t>(i - base)] < 0) {
                ++i;
                continue;
            }
            int j = i;
            while (j < x1 && xs.nearest[static_cast<size_t>(j - base)] >= 0)
                ++j;
            ApplyRasterOp(d + i, line.data() + (i - base), j - i, rop);
            i = j;
        }
    });
}

} // namespace

void Picture::StretchBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, int sw, int sh, RasterOp rop)
{
    if (!loaded_ || !src.loaded_ || w == 0 || h == 0 || sw == 0 || sh == 0)
        return;
    if (&src == this) {
        // A picture stretched onto itself reads from a copy.
        Picture copy;
        if (copy.AssignDecoded(ToDecoded()))
            StretchBlt(x, y, w, h, copy, sx, sy, sw, sh, rop);
        return;
    }
    const Extent dx = Covered(x, w), dy = Covered(y, h), sourceX = Covered(sx, sw), sourceY = Covered(sy, sh);
    for (const Extent& e : {dx, dy, sourceX, sourceY})
        if (!WithinLimit(e))
            return;
    const std::optional<Rect> visible = VisiblePart(*this, dx, dy);
    if (!visible)
        return;

    const int mode = stretchMode_;
    const AxisMap xs =
        BuildAxis(Axis(dx, sourceX, src.width_, false), visible->left - dx.first, visible->right - dx.first, mode);
    const AxisMap ys =
        BuildAxis(Axis(dy, sourceY, src.height_, true), visible->top - dy.first, visible->bottom - dy.first, mode);
    const RowMaker maker(src, xs, ys, mode, visible->top);
    if (!clip_ && rop == RasterOp::SrcCopy && maker.AllColumnsDrawn())
        MakeRowsInPlace(*this, *visible, maker);
    else
        MakeRowsThroughLine(*this, *visible, maker, xs, rop);
}

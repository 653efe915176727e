// Block transfers between pictures: plain and raster-operation copies, colour-keyed copies.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/SecondThread.h"
#include "gfx/DrawHelpers.h"
#include "gfx/Picture.h"
#include "gfx/Region.h"

namespace {

// Evaluates a ternary raster operation bitwise: bit k of the operation's index byte is the result for
// pattern, source and destination bits (k = p*4 + s*2 + d). The pattern is black.
uint32_t Rop3(uint8_t index, uint32_t s, uint32_t d)
{
    uint32_t result = 0;
    for (int k = 0; k < 8; ++k) {
        if (!(index & (1u << k)) || (k & 4))
            continue; // pattern bit is always 0
        const uint32_t sm = (k & 2) ? s : ~s;
        const uint32_t dm = (k & 1) ? d : ~d;
        result |= sm & dm;
    }
    return result;
}

void ApplyRop(uint32_t* d, const uint32_t* s, int n, RasterOp rop)
{
    switch (rop) {
    case RasterOp::SrcCopy: std::memmove(d, s, sizeof(uint32_t) * n); return;
    case RasterOp::SrcAnd:
        for (int i = 0; i < n; ++i)
            d[i] &= s[i];
        return;
    case RasterOp::SrcPaint:
        for (int i = 0; i < n; ++i)
            d[i] |= s[i];
        return;
    case RasterOp::SrcInvert:
        for (int i = 0; i < n; ++i)
            d[i] ^= s[i];
        return;
    default: {
        const uint8_t index = static_cast<uint8_t>(static_cast<uint32_t>(rop) >> 16);
        for (int i = 0; i < n; ++i)
            d[i] = Rop3(index, s[i], d[i]) & 0x00FFFFFF;
        return;
    }
    }
}

// GDI takes a negative extent as the rectangle on the other side of the origin.
// A negative extent covers the pixels from pos + extent + 1 up to pos, as GDI takes it; for a plain block
// transfer the source rectangle turns with the destination's. Coordinates far outside any picture are
// pulled in so that no sum overflows; what they describe stays invisible.
void NormalizePair(int& pos, int& srcPos, int& extent)
{
    constexpr int64_t kFar = 1 << 29;
    int64_t p = pos, s = srcPos, e = extent;
    if (e < 0) {
        p += e + 1;
        s += e + 1;
        e = -e;
    }
    // Trim the part of the span that lies before -kFar in either picture, then cap the rest.
    const int64_t cut = std::max<int64_t>({0, -kFar - p, -kFar - s});
    p += cut;
    s += cut;
    e = std::max<int64_t>(0, e - cut);
    if (p > kFar || s > kFar)
        e = 0;
    pos = static_cast<int>(std::min(p, kFar));
    srcPos = static_cast<int>(std::min(s, kFar));
    extent = static_cast<int>(std::min(e, kFar));
}

// The destination rectangle of a block transfer, cut to the part whose source lies inside src, and the
// offset from source to destination coordinates.
Rect BlitDestination(int x, int y, int w, int h, const Picture& src, int sx, int sy, int& dx, int& dy)
{
    NormalizePair(x, sx, w);
    NormalizePair(y, sy, h);
    dx = x - sx;
    dy = y - sy;
    return Rect::FromSize(x, y, w, h).Intersect(src.GetRect().Offset(dx, dy));
}

} // namespace

void ApplyRasterOp(uint32_t* d, const uint32_t* s, int n, RasterOp rop)
{
    ApplyRop(d, s, n, rop);
}

void Picture::BitBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, RasterOp rop)
{
    if (!loaded_ || !src.loaded_)
        return;
    int dx = 0, dy = 0;
    const Rect dest = BlitDestination(x, y, w, h, src, sx, sy, dx, dy);
    if (dest.IsEmpty())
        return;

    // A copy within one picture whose source and destination overlap reads from a snapshot of the source.
    const Picture* from = &src;
    int ox = 0, oy = 0; // origin of `from` in source coordinates
    Picture snapshot;
    const Rect source = dest.Offset(-dx, -dy);
    if (&src == this && !source.Intersect(dest).IsEmpty()) {
        if (!snapshot.CreateBlank(source.Width(), source.Height()))
            return;
        for (int row = 0; row < source.Height(); ++row)
            std::memcpy(snapshot.Row(row), Row(source.top + row) + source.left, sizeof(uint32_t) * source.Width());
        from = &snapshot;
        ox = source.left;
        oy = source.top;
    }
    const auto copy = [&](int yy, int x0, int x1) {
        ApplyRop(Row(yy) + x0, from->Row(yy - dy - oy) + (x0 - dx - ox), x1 - x0, rop);
    };
    if (clip_) {
        ForEachVisibleSpan(*this, dest, copy);
        return;
    }
    // A slide-sized block at 4K (33 MB) is copied by both cores, half the rows each. Below a few megapixels a
    // copy takes less than starting a thread and meeting it again costs.
    constexpr int64_t kSplitCopyFromPixels = int64_t(1) << 22;
    const Rect visible = dest.Intersect(GetRect());
    RunRowsOnTwoThreads(
        visible.top, visible.bottom, int64_t(visible.Width()) * visible.Height(),
        [&](int from, int to) {
            for (int yy = from; yy < to; ++yy)
                copy(yy, visible.left, visible.right);
        },
        kSplitCopyFromPixels);
}

void Picture::CopyThrough(const Picture& src, const Region& region)
{
    if (!clip_) {
        // Straight through the region's spans: a 4K shape has thousands of bands, not to be copied first.
        if (!loaded_ || !src.loaded_ || &src == this)
            return;
        ForEachSpanOf(region, GetRect().Intersect(src.GetRect()), [&](int y, int x0, int x1) {
            std::memcpy(Row(y) + x0, src.Row(y) + x0, sizeof(uint32_t) * static_cast<size_t>(x1 - x0));
        });
        return;
    }
    auto own = std::move(clip_);
    clip_ = std::make_unique<Region>(own ? Region::Combine(*own, region, RegionOp::And) : region);
    const Rect b = region.Bounds();
    BitBlt(b.left, b.top, b.Width(), b.Height(), src, b.left, b.top);
    clip_ = std::move(own);
}

void Picture::KeyedBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, Colorref key)
{
    if (!loaded_ || !src.loaded_)
        return;
    int dx = 0, dy = 0;
    const Rect dest = BlitDestination(x, y, w, h, src, sx, sy, dx, dy);
    const uint32_t keyPixel = PixelFromColorref(key);
    std::vector<uint32_t> line;
    ForEachVisibleSpan(*this, dest, [&](int yy, int x0, int x1) {
        // Through a copy of the source row, so a picture keyed onto itself reads unchanged pixels.
        const uint32_t* s = src.Row(yy - dy) + (x0 - dx);
        line.assign(s, s + (x1 - x0));
        uint32_t* d = Row(yy) + x0;
        for (size_t i = 0; i < line.size(); ++i)
            if ((line[i] & 0x00FFFFFF) != keyPixel)
                d[i] = line[i];
    });
}

// Stretched block transfers. HALFTONE filters: a box (area-averaging) filter where an axis is reduced and a
// linear one where it is enlarged, separably, in 16-bit fixed point. COLORONCOLOR picks one source pixel
// per destination pixel; BLACKONWHITE and WHITEONBLACK combine all source pixels a reduction merges into
// one with AND or OR.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/ComPicture.h"
#include "gfx/DrawHelpers.h"

namespace {

constexpr int kWeightBits = 16;
constexpr uint32_t kWeightOne = 1u << kWeightBits;

struct Tap {
    int index;
    uint32_t weight;
};

// How one destination column (or row) is made from the source axis.
struct AxisEntry {
    bool valid = false; // its source pixel lies inside the source picture
    int nearest = 0;    // the source pixel it repeats or keeps
    int first = 0;      // source pixels merged by a reduction: [first, last)
    int last = 0;
    int tapBegin = 0; // filter taps in AxisMap::taps
    int tapCount = 0;
};

struct AxisMap {
    std::vector<AxisEntry> entries;
    std::vector<Tap> taps;
    int maxTaps = 0;
};

int64_t FloorDiv(int64_t a, int64_t b)
{ // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int64_t CeilDiv(int64_t a, int64_t b)
{
    return -FloorDiv(-a, b);
}

// Destination pixels [from, to) of an extent of `dest` pixels (relative to the destination origin) made
// from `srcExtent` source pixels starting at srcPos in a source axis of srcSize pixels.
AxisMap BuildAxis(int64_t from, int64_t to, int64_t dest, int srcPos, int64_t srcExtent, int srcSize, bool mirror,
                  bool halftone)
{
    AxisMap map;
    map.entries.resize(static_cast<size_t>(to - from));
    const int64_t lo = std::max<int64_t>(0, srcPos);
    const int64_t hi = std::min<int64_t>(srcSize, srcPos + srcExtent); // source rectangle inside the picture
    for (int64_t i = from; i < to; ++i) {
        AxisEntry& e = map.entries[static_cast<size_t>(i - from)];
        const int64_t j = mirror ? dest - 1 - i : i;
        const bool reduce = srcExtent > dest;
        // Reductions take the source pixel nearest the destination pixel's centre (halves round up),
        // enlargements repeat each source pixel from its first destination pixel on.
        const int64_t centre =
            srcPos + (reduce ? FloorDiv((2 * j + 1) * srcExtent + dest, 2 * dest) : FloorDiv(j * srcExtent, dest));
        if (centre < 0 || centre >= srcSize)
            continue;
        e.valid = true;
        e.nearest = static_cast<int>(centre);
        // Source pixels y with floor(y * dest / srcExtent) == j.
        e.first = reduce ? static_cast<int>(std::clamp<int64_t>(srcPos + CeilDiv(j * srcExtent, dest), lo, hi - 1))
                         : e.nearest;
        e.last = reduce
            ? static_cast<int>(std::clamp<int64_t>(srcPos + CeilDiv((j + 1) * srcExtent, dest), e.first + 1, hi))
            : e.nearest + 1;
        if (!halftone)
            continue;
        e.tapBegin = static_cast<int>(map.taps.size());
        if (srcExtent >= dest) {
            // Box: destination pixel j covers source [j*srcExtent, (j+1)*srcExtent) in units of 1/dest.
            const int64_t start = j * srcExtent, end = (j + 1) * srcExtent;
            int64_t total = 0;
            std::vector<std::pair<int64_t, int64_t>> parts;
            for (int64_t k = FloorDiv(start, dest); k * dest < end; ++k) {
                const int64_t overlap = std::min(end, (k + 1) * dest) - std::max(start, k * dest);
                const int64_t index = srcPos + k;
                if (overlap <= 0 || index < lo || index >= hi)
                    continue;
                parts.emplace_back(index, overlap);
                total += overlap;
            }
            if (total == 0) {
                parts.assign(1, {centre, 1});
                total = 1;
            }
            for (auto& [index, overlap] : parts)
                map.taps.push_back({static_cast<int>(index), static_cast<uint32_t>((overlap * kWeightOne) / total)});
        } else {
            // Linear: sample at the centre, in source pixels, between the two nearest source centres.
            const int64_t num = (2 * j + 1) * srcExtent - dest; // centre - 0.5, times 2 * dest
            const int64_t den = 2 * dest;
            const int64_t k0 = FloorDiv(num, den);
            const int64_t frac = ((num - k0 * den) * kWeightOne) / den;
            const int64_t a = std::clamp<int64_t>(srcPos + k0, lo, hi - 1);
            const int64_t b = std::clamp<int64_t>(srcPos + k0 + 1, lo, hi - 1);
            map.taps.push_back({static_cast<int>(a), static_cast<uint32_t>(kWeightOne - frac)});
            if (frac)
                map.taps.push_back({static_cast<int>(b), static_cast<uint32_t>(frac)});
        }
        e.tapCount = static_cast<int>(map.taps.size()) - e.tapBegin;
        // Rounding left a remainder: give it to the heaviest tap so the weights add up to exactly one.
        uint32_t sum = 0;
        Tap* heaviest = &map.taps[e.tapBegin];
        for (int t = 0; t < e.tapCount; ++t) {
            Tap& tap = map.taps[e.tapBegin + t];
            sum += tap.weight;
            if (tap.weight > heaviest->weight)
                heaviest = &tap;
        }
        heaviest->weight += kWeightOne - sum;
        map.maxTaps = std::max(map.maxTaps, e.tapCount);
    }
    return map;
}

// Horizontally filtered source rows (three channels of value * 256 per visible column), cached by source
// row: consecutive destination rows need neighbouring, mostly shared source rows.
class RowCache {
public:
    RowCache(const CComPicture& src, const AxisMap& xs, size_t slots)
        : m_src(src), m_xs(xs), m_width(xs.entries.size()), m_tags(slots, -1), m_rows(slots)
    {
    }

    const uint16_t* Get(int row)
    {
        const size_t slot = static_cast<size_t>(row) % m_tags.size();
        if (m_tags[slot] != row) {
            Filter(row, m_rows[slot]);
            m_tags[slot] = row;
        }
        return m_rows[slot].data();
    }

private:
    void Filter(int row, std::vector<uint16_t>& out)
    {
        out.resize(m_width * 3);
        const uint32_t* s = m_src.Row(row);
        for (size_t i = 0; i < m_width; ++i) {
            const AxisEntry& e = m_xs.entries[i];
            uint32_t b = 0, g = 0, r = 0;
            if (e.valid) {
                const Tap* tap = &m_xs.taps[e.tapBegin];
                for (int t = 0; t < e.tapCount; ++t) {
                    const uint32_t p = s[tap[t].index];
                    b += (p & 0xFF) * tap[t].weight;
                    g += ((p >> 8) & 0xFF) * tap[t].weight;
                    r += ((p >> 16) & 0xFF) * tap[t].weight;
                }
            }
            out[i * 3] = static_cast<uint16_t>(b >> 8);
            out[i * 3 + 1] = static_cast<uint16_t>(g >> 8);
            out[i * 3 + 2] = static_cast<uint16_t>(r >> 8);
        }
    }

    const CComPicture& m_src;
    const AxisMap& m_xs;
    size_t m_width;
    std::vector<int> m_tags;
    std::vector<std::vector<uint16_t>> m_rows;
};

} // namespace

void CComPicture::StretchBlt(int x, int y, int w, int h, const CComPicture& src, int sx, int sy, int sw, int sh,
                             RasterOp rop)
{
    if (!m_loaded || !src.m_loaded || w == 0 || h == 0 || sw == 0 || sh == 0)
        return;
    if (&src == this) {
        // A picture stretched onto itself reads from a copy.
        CComPicture copy;
        if (copy.AssignDecoded(ToDecoded()))
            StretchBlt(x, y, w, h, copy, sx, sy, sw, sh, rop);
        return;
    }
    const bool mirrorX = (w < 0) != (sw < 0);
    const bool mirrorY = (h < 0) != (sh < 0);
    int64_t dx0 = x, dy0 = y, dw = w, dh = h, sx0 = sx, sy0 = sy, sw0 = sw, sh0 = sh;
    // A negative extent covers the pixels from pos + extent + 1 up to pos, as GDI takes it.
    if (dw < 0) {
        dx0 += dw + 1;
        dw = -dw;
    }
    if (dh < 0) {
        dy0 += dh + 1;
        dh = -dh;
    }
    if (sw0 < 0) {
        sx0 += sw0 + 1;
        sw0 = -sw0;
    }
    if (sh0 < 0) {
        sy0 += sh0 + 1;
        sh0 = -sh0;
    }
    // Beyond this the mapping's products would overflow; no real drawing comes near it.
    constexpr int64_t kLimit = int64_t(1) << 28;
    for (int64_t v : {dx0, dy0, dw, dh, sx0, sy0, sw0, sh0})
        if (v < -kLimit || v > kLimit)
            return;

    // Only the visible part of the destination is computed, so huge enlargements cost what they show.
    Rect bounds = GetRect();
    if (m_clip)
        bounds = bounds.Intersect(m_clip->Bounds());
    const int64_t vx0 = std::max<int64_t>(dx0, bounds.left), vx1 = std::min<int64_t>(dx0 + dw, bounds.right);
    const int64_t vy0 = std::max<int64_t>(dy0, bounds.top), vy1 = std::min<int64_t>(dy0 + dh, bounds.bottom);
    if (vx0 >= vx1 || vy0 >= vy1)
        return;
    const Rect visible{static_cast<int>(vx0), static_cast<int>(vy0), static_cast<int>(vx1), static_cast<int>(vy1)};

    const int mode = m_stretchMode;
    const bool halftone = mode == kHalftone;
    const AxisMap xs = BuildAxis(vx0 - dx0, vx1 - dx0, dw, static_cast<int>(sx0), sw0, src.m_width, mirrorX, halftone);
    const AxisMap ys = BuildAxis(vy0 - dy0, vy1 - dy0, dh, static_cast<int>(sy0), sh0, src.m_height, mirrorY, halftone);

    const size_t width = xs.entries.size();
    std::vector<uint32_t> line(width);
    std::vector<uint8_t> valid(width);
    RowCache cache(src, xs, static_cast<size_t>(ys.maxTaps) + 2);
    int lineRow = -1;
    bool lineValid = false;

    auto makeLine = [&](int row) {
        const AxisEntry& ye = ys.entries[static_cast<size_t>(row - visible.top)];
        lineValid = ye.valid;
        if (!ye.valid)
            return;
        for (size_t i = 0; i < width; ++i)
            valid[i] = xs.entries[i].valid;
        if (halftone) {
            uint32_t* out = line.data();
            std::vector<const uint16_t*> rows(ye.tapCount);
            for (int t = 0; t < ye.tapCount; ++t)
                rows[t] = cache.Get(ys.taps[ye.tapBegin + t].index);
            for (size_t i = 0; i < width; ++i) {
                uint32_t b = 1u << 23, g = 1u << 23, r = 1u << 23;
                for (int t = 0; t < ye.tapCount; ++t) {
                    const uint32_t wt = ys.taps[ye.tapBegin + t].weight;
                    const uint16_t* p = rows[t] + i * 3;
                    b += p[0] * wt;
                    g += p[1] * wt;
                    r += p[2] * wt;
                }
                out[i] = (std::min<uint32_t>(r >> 24, 255) << 16) | (std::min<uint32_t>(g >> 24, 255) << 8) |
                    std::min<uint32_t>(b >> 24, 255);
            }
        } else if (mode == kColorOnColor) {
            const uint32_t* s = src.Row(ye.nearest);
            for (size_t i = 0; i < width; ++i)
                if (valid[i])
                    line[i] = s[xs.entries[i].nearest];
        } else {
            const bool useAnd = mode == kBlackOnWhite;
            for (size_t i = 0; i < width; ++i) {
                if (!valid[i])
                    continue;
                const AxisEntry& xe = xs.entries[i];
                uint32_t acc = useAnd ? 0x00FFFFFF : 0;
                for (int r = ye.first; r < ye.last; ++r) {
                    const uint32_t* s = src.Row(r);
                    for (int c = xe.first; c < xe.last; ++c)
                        acc = useAnd ? (acc & s[c]) : (acc | s[c]);
                }
                line[i] = acc & 0x00FFFFFF;
            }
        }
    };

    ForEachVisibleSpan(*this, visible, [&](int yy, int x0, int x1) {
        if (yy != lineRow) {
            makeLine(yy);
            lineRow = yy;
        }
        if (!lineValid)
            return;
        uint32_t* d = Row(yy);
        const int base = visible.left;
        int i = x0;
        while (i < x1) {
            if (!valid[i - base]) {
                ++i;
                continue;
            }
            int j = i;
            while (j < x1 && valid[j - base])
                ++j;
            ApplyRasterOp(d + i, line.data() + (i - base), j - i, rop);
            i = j;
        }
    });
}

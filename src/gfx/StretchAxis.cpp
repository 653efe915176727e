// The axis maps of a stretch. COLORONCOLOR steps through the source as GDI does; HALFTONE weighs a box (area
// average) where an axis is reduced and the two nearest pixel centres where it is enlarged, in 14-bit fixed point;
// BLACKONWHITE and WHITEONBLACK merge the source pixels a reduction folds into one.
#include "gfx/StretchAxis.h"

#include <algorithm>

#include "gfx/Picture.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b)
{ // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int64_t CeilDiv(int64_t a, int64_t b)
{
    return -FloorDiv(-a, b);
}

// The source pixel GDI takes for destination pixel i (counted from the destination origin): it steps through the source
// with an error term, floor((e + i * src) / dest), whose start e depends on the direction. Where both extents are
// negative the stepping runs from the other end.
int64_t SteppedSource(const AxisSpec& a, int64_t i)
{
    int64_t e = 0;
    if (a.dest > a.src)
        e = (a.src - 1) / 2;
    else if (a.dest < a.src && a.vertical)
        e = a.dest / 2;
    else if (a.dest < a.src && a.dest == 1 && !a.destNegative && !a.srcNegative)
        e = a.src - 2; // a reduction to a single column keeps the next to last pixel
    else if (a.dest < a.src)
        e = a.src - 1 - (a.dest - 1) / 2;
    const int64_t step = a.destNegative ? a.dest - 1 - i : i;
    const int64_t k = FloorDiv(e + step * a.src, a.dest);
    return a.srcPos + (a.srcNegative ? a.src - 1 - k : k);
}

void AddTap(AxisMap& m, int index, int32_t weight)
{
    m.tapIndex.push_back(index);
    m.tapWeight.push_back(static_cast<int16_t>(weight));
}

// The weight of a tap covering `overlap` of a pixel's `total` (0 <= overlap <= total): in 32 bits where the
// numbers allow, a much cheaper division.
int32_t TapWeight(int64_t overlap, int64_t total)
{
    const int64_t scaled = overlap * kWeightOne;
    if (scaled <= INT32_MAX && total <= INT32_MAX)
        return static_cast<int32_t>(static_cast<uint32_t>(scaled) / static_cast<uint32_t>(total));
    return static_cast<int32_t>(scaled / total);
}

// Weights of destination pixel j: a box over the source it covers when reducing, linear between the two
// nearest source centres when enlarging. Taps are cut to [lo, hi), the source inside the picture.
void BuildTaps(AxisMap& m, const AxisSpec& a, int64_t j, int64_t lo, int64_t hi, int nearest)
{
    const int begin = static_cast<int>(m.tapIndex.size());
    if (a.src > a.dest) {
        // Destination pixel j covers source [j * src, (j + 1) * src) in units of 1 / dest.
        const int64_t start = j * a.src, end = (j + 1) * a.src;
        int64_t total = 0;
        for (int64_t k = FloorDiv(start, a.dest); k * a.dest < end; ++k) {
            const int64_t index = a.srcPos + k;
            if (index >= lo && index < hi)
                total += std::min(end, (k + 1) * a.dest) - std::max(start, k * a.dest);
        }
        const int32_t whole = total > 0 ? TapWeight(a.dest, total) : 0; // a source pixel covered whole
        for (int64_t k = FloorDiv(start, a.dest); total > 0 && k * a.dest < end; ++k) {
            const int64_t index = a.srcPos + k;
            const int64_t overlap = std::min(end, (k + 1) * a.dest) - std::max(start, k * a.dest);
            if (index >= lo && index < hi)
                AddTap(m, static_cast<int>(index), overlap == a.dest ? whole : TapWeight(overlap, total));
        }
        if (total == 0)
            AddTap(m, nearest, kWeightOne);
    } else if (a.src < a.dest) {
        const int64_t num = (2 * j + 1) * a.src - a.dest; // the centre minus one half, times 2 * dest
        const int64_t den = 2 * a.dest;
        const int64_t k0 = FloorDiv(num, den);
        const int64_t frac = (num - k0 * den) * kWeightOne / den;
        AddTap(m, static_cast<int>(std::clamp(a.srcPos + k0, lo, hi - 1)), static_cast<int32_t>(kWeightOne - frac));
        if (frac)
            AddTap(m, static_cast<int>(std::clamp(a.srcPos + k0 + 1, lo, hi - 1)), static_cast<int32_t>(frac));
    } else {
        AddTap(m, static_cast<int>(std::clamp(a.srcPos + j, lo, hi - 1)), kWeightOne);
    }
    // Rounding left a remainder: the heaviest tap takes it, so the weights add up to exactly one.
    int32_t sum = 0;
    int heaviest = begin;
    for (int t = begin; t < static_cast<int>(m.tapIndex.size()); ++t) {
        sum += m.tapWeight[t];
        if (m.tapWeight[t] > m.tapWeight[heaviest])
            heaviest = t;
    }
    m.tapWeight[heaviest] = static_cast<int16_t>(m.tapWeight[heaviest] + kWeightOne - sum);
    // Taps go in pairs; an odd one out is paired with a weightless copy of itself.
    if ((m.tapIndex.size() - begin) % 2)
        AddTap(m, m.tapIndex.back(), 0);
}

// The taps again as runs of neighbouring source pixels, one length for each group of eight destination pixels,
// so the columns can be made without looking up each tap. The weights are the taps' own (a pixel that is a tap
// twice has their sum), so each sum is the same.
void BuildRuns(AxisMap& m)
{
    const size_t n = m.Size(), groups = (n + kRunGroup - 1) / kRunGroup;
    std::vector<int> first(n, m.spanLo), width(n, 0);
    m.groupTaps.assign(groups, 2);
    for (size_t i = 0; i < n; ++i) {
        if (m.nearest[i] < 0)
            continue;
        const auto [lo, hi] =
            std::minmax_element(m.tapIndex.begin() + m.tapStart[i], m.tapIndex.begin() + m.tapStart[i + 1]);
        first[i] = *lo;
        width[i] = *hi - *lo + 1;
        int& taps = m.groupTaps[i / kRunGroup];
        taps = std::max(taps, width[i] + (width[i] & 1));
    }
    const int longest = groups ? *std::max_element(m.groupTaps.begin(), m.groupTaps.end()) : 0;
    if (longest == 0 || m.spanHi - m.spanLo < longest)
        return;
    m.runTaps = longest;
    m.runStart.assign(groups * kRunGroup, m.spanLo);
    m.groupWeightAt.resize(groups);
    size_t total = 0;
    for (size_t g = 0; g < groups; ++g) {
        m.groupWeightAt[g] = static_cast<int>(total);
        total += static_cast<size_t>(m.groupTaps[g]) * kRunGroup / 2;
    }
    m.runWeight.assign(total, 0);
    uint32_t* weights = reinterpret_cast<uint32_t*>(m.runWeight.data());
    for (size_t i = 0; i < n; ++i) {
        if (m.nearest[i] < 0)
            continue;
        const int start = std::min(first[i], m.spanHi - m.groupTaps[i / kRunGroup]); // the run stays inside the span
        m.runStart[i] = start;
        uint32_t* out = weights + RunWeightIndex(m.groupWeightAt.data(), static_cast<int>(i));
        // Run pixel p is half p % 2 of pair p / 2; each half stays below 1 << 16, so the halves add apart.
        for (int t = m.tapStart[i], end = m.tapStart[i + 1]; t < end; ++t) {
            const int p = m.tapIndex[t] - start;
            out[kRunGroup * (p / 2)] += static_cast<uint32_t>(m.tapWeight[t]) << (16 * (p % 2));
        }
    }
}

// The taps' weights two by two, and which quads of destination pixels each take one pair of neighbours.
void PairTaps(AxisMap& m)
{
    const size_t n = m.Size();
    m.pairWeight.resize(m.tapIndex.size() / 2);
    for (size_t t = 0; t + 1 < m.tapIndex.size(); t += 2)
        m.pairWeight[t / 2] = static_cast<int32_t>(static_cast<uint16_t>(m.tapWeight[t]) |
                                                   (static_cast<uint32_t>(m.tapWeight[t + 1]) << 16));
    m.adjacentQuad.assign(n / 4, 0);
    for (size_t q = 0; q < n / 4; ++q) {
        bool adjacent = true;
        for (size_t i = 4 * q; i < 4 * q + 4 && adjacent; ++i) {
            const int t = m.tapStart[i];
            adjacent = m.tapStart[i + 1] - t == 2 && m.tapIndex[t + 1] == m.tapIndex[t] + 1;
        }
        m.adjacentQuad[q] = adjacent;
    }
}

// Destination pixels that take the same source pixel, as runs.
void BuildNearestRuns(AxisMap& m)
{
    const size_t n = m.Size();
    for (size_t at = 0; at < n;) {
        size_t end = at + 1;
        while (end < n && m.nearest[end] == m.nearest[at])
            ++end;
        if (m.nearest[at] >= 0)
            m.nearestRuns.push_back({static_cast<int>(at), static_cast<int>(end - at), m.nearest[at]});
        at = end;
    }
}

} // namespace

AxisMap BuildAxis(const AxisSpec& a, int64_t from, int64_t to, int mode)
{
    AxisMap m;
    const size_t n = static_cast<size_t>(to - from);
    m.nearest.assign(n, -1);
    m.reduce = a.src > a.dest;
    const bool mirror = a.destNegative != a.srcNegative;
    const int64_t lo = std::max<int64_t>(0, a.srcPos);
    const int64_t hi = std::min<int64_t>(a.srcSize, a.srcPos + a.src); // the source rectangle inside the picture
    const bool halftone = mode == kHalftone;
    const bool merge = m.reduce && (mode == kBlackOnWhite || mode == kWhiteOnBlack);
    if (merge) {
        m.first.assign(n, 0);
        m.last.assign(n, 0);
    }
    if (halftone) {
        m.tapStart.reserve(n + 1);
        // Each pixel takes about src / dest source pixels, plus one at each end and one to make pairs.
        const int64_t each =
            std::min<int64_t>(a.src / std::max<int64_t>(a.dest, 1) + 4, std::max<int64_t>(hi - lo, 1) + 1);
        m.tapIndex.reserve(n * static_cast<size_t>(each));
        m.tapWeight.reserve(n * static_cast<size_t>(each));
    }
    m.spanLo = a.srcSize;
    m.spanHi = 0;
    for (size_t at = 0; at < n; ++at) {
        const int64_t i = from + static_cast<int64_t>(at);
        const int64_t source = SteppedSource(a, i);
        if (halftone)
            m.tapStart.push_back(static_cast<int>(m.tapIndex.size()));
        if (source < 0 || source >= a.srcSize || lo >= hi)
            continue; // left unchanged
        m.nearest[at] = static_cast<int>(source);
        const int64_t j = mirror ? a.dest - 1 - i : i; // in the source's direction
        if (merge) {
            // Source pixels y with floor(y * dest / src) == j.
            m.first[at] = static_cast<int>(std::clamp<int64_t>(a.srcPos + CeilDiv(j * a.src, a.dest), lo, hi - 1));
            m.last[at] =
                static_cast<int>(std::clamp<int64_t>(a.srcPos + CeilDiv((j + 1) * a.src, a.dest), m.first[at] + 1, hi));
        }
        if (halftone) {
            const size_t begin = m.tapIndex.size();
            BuildTaps(m, a, j, lo, hi, m.nearest[at]);
            for (size_t t = begin; t < m.tapIndex.size(); ++t) {
                m.spanLo = std::min(m.spanLo, m.tapIndex[t]);
                m.spanHi = std::max(m.spanHi, m.tapIndex[t] + 1);
            }
        }
    }
    if (halftone) {
        m.tapStart.push_back(static_cast<int>(m.tapIndex.size()));
        PairTaps(m);
        if (!a.vertical)
            BuildRuns(m); // only columns are made from runs
    }
    // Columns of an enlargement to four times or more are filled a run at a time.
    if (!halftone && !merge && !a.vertical && a.dest >= 4 * a.src)
        BuildNearestRuns(m);
    m.identity = a.src == a.dest && !mirror && n > 0 && m.nearest.front() >= 0 && m.nearest.back() >= 0;
    return m;
}

// Stretched block transfers.
//
// COLORONCOLOR picks one source pixel per destination pixel, stepping through the source as GDI does.
// HALFTONE filters separably: a box (area average) where an axis is reduced, linear between pixel centres
// where it is enlarged; rows are combined first into a row of 16-bit values, then columns, in 14-bit fixed
// point. BLACKONWHITE and WHITEONBLACK combine all source pixels a reduction merges into one with AND or OR.
// Each axis is mapped once per call (which source pixels, which weights; for columns also as runs of
// neighbouring pixels); the rows are then made with AVX-512 or AVX2 where the processor has them (see
// StretchRowsWide.h), SSE2 where the compiler offers it, a plain loop of the same arithmetic elsewhere.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gfx/DrawHelpers.h"
#include "gfx/Picture.h"
#include "gfx/PixelFill.h"
#include "gfx/StretchRowsWide.h"

namespace {

constexpr int kWeightBits = 14; // weights of one destination pixel add up to 1 << 14
constexpr int32_t kWeightOne = 1 << kWeightBits;
// Source pixels a filtered stretch reads from which two threads make its rows (about a quarter of a
// millisecond of work, well above what starting a thread costs).
constexpr int64_t kSplitWork = int64_t(1) << 18;
constexpr int kRowShift = 7; // rows combined keep 7 fraction bits: 255 << 7 still fits an int16

int64_t FloorDiv(int64_t a, int64_t b)
{ // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int64_t CeilDiv(int64_t a, int64_t b)
{
    return -FloorDiv(-a, b);
}

// One axis of a stretch: `dest` destination pixels made from `src` source pixels starting at srcPos in a
// source axis of srcSize pixels. destNegative and srcNegative tell which extents were given negative.
struct AxisSpec {
    int64_t dest;
    int64_t src;
    int64_t srcPos;
    int srcSize;
    bool destNegative;
    bool srcNegative;
    bool vertical;
};

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

// How the visible destination pixels [from, to) of an axis are made.
struct AxisMap {
    std::vector<int> nearest;        // the source pixel each takes; -1 where it lies outside the source
    std::vector<int> first, last;    // source pixels [first, last) a reduction merges into each
    std::vector<int> tapStart;       // HALFTONE: taps [tapStart[i], tapStart[i + 1]), an even number
    std::vector<int> tapIndex;       // source pixel of each tap
    std::vector<int32_t> pairWeight; // weights of taps 2n and 2n + 1 as two 16-bit halves
    std::vector<int16_t> tapWeight;
    // HALFTONE: per four destination pixels from 4n on, whether each takes one pair of neighbouring pixels
    std::vector<uint8_t> adjacentQuad;
    // HALFTONE: the taps again as runs of neighbouring source pixels (see ColumnRuns); none (runTaps 0) where
    // the source span is narrower than a run. runTaps: the longest run.
    int runTaps = 0;
    std::vector<int> runStart, groupTaps, groupWeightAt;
    std::vector<int32_t> runWeight;
    ColumnRuns Runs() const { return {runStart.data(), groupTaps.data(), groupWeightAt.data(), runWeight.data()}; }
    // A large enlargement picking one pixel: destination pixels [at, at + count) all take source pixel
    // `source`, filled as runs rather than looked up one by one. Empty where the runs would be short.
    struct NearestRun {
        int at, count, source;
    };
    std::vector<NearestRun> nearestRuns;
    bool reduce = false;
    bool identity = false;      // destination pixel i is source pixel nearest[0] + i: a plain copy
    int spanLo = 0, spanHi = 0; // source pixels the taps read
    size_t Size() const { return nearest.size(); }
};

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
        if (!a.vertical)
            BuildRuns(m); // only columns are made from runs
    }
    // Columns of an enlargement to four times or more are filled a run at a time.
    if (!halftone && !merge && !a.vertical && a.dest >= 4 * a.src) {
        for (size_t at = 0; at < n;) {
            size_t end = at + 1;
            while (end < n && m.nearest[end] == m.nearest[at])
                ++end;
            if (m.nearest[at] >= 0)
                m.nearestRuns.push_back({static_cast<int>(at), static_cast<int>(end - at), m.nearest[at]});
            at = end;
        }
    }
    m.identity = a.src == a.dest && !mirror && n > 0 && m.nearest.front() >= 0 && m.nearest.back() >= 0;
    return m;
}

uint8_t Channel(uint32_t pixel, int c)
{
    return static_cast<uint8_t>(pixel >> (8 * c));
}

uint32_t PackChannels(int32_t b, int32_t g, int32_t r)
{
    auto clamp = [](int32_t v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

// Rows: the sum of weight * channel c of pixel `from + p` of each tap row, for p in [0, count), kept with
// 7 fraction bits ((sum + 64) >> 7, four int16 per pixel) or, where the columns need no filter, rounded
// straight to pixels. Taps come in pairs (rows[2n], rows[2n + 1] with pairWeight[n]).
template <bool ToPixels, typename Out>
void CombineRows(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count, Out* out)
{
    constexpr int shift = ToPixels ? kWeightBits : kRowShift;
    int p = 0;
    if constexpr (ToPixels)
        p = CombineRowsWideToPixels(rows, pairWeight, taps, from, count, out);
    else
        p = CombineRowsWide(rows, pairWeight, taps, from, count, out);
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (shift - 1));
    for (; p + 4 <= count; p += 4) {
        __m128i acc0 = half, acc1 = half, acc2 = half, acc3 = half;
        for (int t = 0; t < taps; t += 2) {
            const __m128i w = _mm_set1_epi32(pairWeight[t / 2]);
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t] + from + p));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t + 1] + from + p));
            const __m128i lo = _mm_unpacklo_epi8(a, b); // pixels 0 and 1, the two rows' bytes side by side
            const __m128i hi = _mm_unpackhi_epi8(a, b);
            acc0 = _mm_add_epi32(acc0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), w));
            acc1 = _mm_add_epi32(acc1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), w));
            acc2 = _mm_add_epi32(acc2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), w));
            acc3 = _mm_add_epi32(acc3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), w));
        }
        const __m128i lo = _mm_packs_epi32(_mm_srai_epi32(acc0, shift), _mm_srai_epi32(acc1, shift));
        const __m128i hi = _mm_packs_epi32(_mm_srai_epi32(acc2, shift), _mm_srai_epi32(acc3, shift));
        if constexpr (ToPixels) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + p),
                             _mm_and_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(0x00FFFFFF)));
        } else {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * p), lo);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * p + 8), hi);
        }
    }
#endif
    for (; p < count; ++p) {
        int32_t acc[4] = {};
        for (int c = 0; c < 4; ++c) {
            acc[c] = 1 << (shift - 1);
            for (int t = 0; t < taps; ++t) {
                const int32_t w = static_cast<int16_t>(pairWeight[t / 2] >> (t % 2 ? 16 : 0));
                acc[c] += w * Channel(rows[t][from + p], c);
            }
            acc[c] >>= shift;
        }
        if constexpr (ToPixels) {
            out[p] = PackChannels(acc[0], acc[1], acc[2]);
        } else {
            for (int c = 0; c < 4; ++c)
                out[4 * p + c] = static_cast<int16_t>(acc[c]);
        }
    }
}

#if defined(__SSE2__)
// Four pixel accumulators (32-bit channels, shifted down already) into four pixels.
inline void StorePixels(__m128i p0, __m128i p1, __m128i p2, __m128i p3, uint32_t* out)
{
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(p0, p1), _mm_packs_epi32(p2, p3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_and_si128(bytes, _mm_set1_epi32(0x00FFFFFF)));
}

inline uint32_t PackPixel(__m128i p)
{
    const __m128i packed = _mm_packs_epi32(p, p);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(packed, packed))) & 0x00FFFFFF;
}

// One destination pixel of a combined row: its taps' values times their weights, channel by channel.
inline __m128i ColumnSum(const int16_t* row, const AxisMap& xs, size_t i, __m128i rounding)
{
    __m128i acc = rounding;
    for (int t = xs.tapStart[i]; t < xs.tapStart[i + 1]; t += 2) {
        const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + 4 * (xs.tapIndex[t] - xs.spanLo)));
        const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + 4 * (xs.tapIndex[t + 1] - xs.spanLo)));
        acc = _mm_add_epi32(acc, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), _mm_set1_epi32(xs.pairWeight[t / 2])));
    }
    return _mm_srai_epi32(acc, kWeightBits + kRowShift);
}

// The same from a row of pixels.
inline __m128i PixelSum(const uint32_t* row, const AxisMap& xs, size_t i, __m128i rounding)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i acc = rounding;
    for (int t = xs.tapStart[i]; t < xs.tapStart[i + 1]; t += 2) {
        const __m128i a = _mm_cvtsi32_si128(static_cast<int>(row[xs.tapIndex[t]]));
        const __m128i b = _mm_cvtsi32_si128(static_cast<int>(row[xs.tapIndex[t + 1]]));
        const __m128i pair = _mm_unpacklo_epi8(_mm_unpacklo_epi8(a, b), zero);
        acc = _mm_add_epi32(acc, _mm_madd_epi16(pair, _mm_set1_epi32(xs.pairWeight[t / 2])));
    }
    return _mm_srai_epi32(acc, kWeightBits);
}

// One destination pixel from its run of neighbouring values: each load brings two of them.
inline __m128i ColumnRunSum(const int16_t* row, const AxisMap& xs, size_t i, __m128i rounding)
{
    const int16_t* v = row + 4 * (xs.runStart[i] - xs.spanLo);
    const int32_t* w = &xs.runWeight[RunWeightIndex(xs.groupWeightAt.data(), static_cast<int>(i))];
    __m128i acc = rounding;
    for (int n = 0; n < xs.groupTaps[i / kRunGroup] / 2; ++n) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + 8 * n));
        acc = _mm_add_epi32(
            acc, _mm_madd_epi16(_mm_unpacklo_epi16(a, _mm_srli_si128(a, 8)), _mm_set1_epi32(w[kRunGroup * n])));
    }
    return _mm_srai_epi32(acc, kWeightBits + kRowShift);
}

// The same from a row of pixels.
inline __m128i PixelRunSum(const uint32_t* row, const AxisMap& xs, size_t i, __m128i rounding)
{
    const __m128i zero = _mm_setzero_si128();
    const uint32_t* v = row + xs.runStart[i];
    const int32_t* w = &xs.runWeight[RunWeightIndex(xs.groupWeightAt.data(), static_cast<int>(i))];
    __m128i acc = rounding;
    for (int n = 0; n < xs.groupTaps[i / kRunGroup] / 2; ++n) {
        const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(v + 2 * n));
        const __m128i pair = _mm_unpacklo_epi8(_mm_unpacklo_epi8(a, _mm_srli_si128(a, 4)), zero);
        acc = _mm_add_epi32(acc, _mm_madd_epi16(pair, _mm_set1_epi32(w[kRunGroup * n])));
    }
    return _mm_srai_epi32(acc, kWeightBits);
}
#endif

// Columns of a combined row (4 values per source pixel from spanLo on, with 7 fraction bits) into pixels.
// Columns whose source lies outside the picture are skipped.
void CombineColumns(const int16_t* row, const AxisMap& xs, bool allValid, uint32_t* out)
{
    constexpr int shift = kWeightBits + kRowShift;
    size_t i = 0;
    if (allValid && xs.runTaps)
        i = static_cast<size_t>(CombineRunColumnsWide(row, xs.Runs(), xs.spanLo, static_cast<int>(xs.Size()), out));
#if defined(__SSE2__)
    const __m128i rounding = _mm_set1_epi32(1 << (shift - 1));
    if (allValid) {
        for (; i + 4 <= xs.Size(); i += 4) {
            const int t = xs.tapStart[i];
            if (xs.adjacentQuad[i / 4]) {
                // Four columns each merging two neighbouring values (a stretch near its own size): one
                // load brings both.
                const int* index = &xs.tapIndex[static_cast<size_t>(t)];
                const __m128i weights = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&xs.pairWeight[t / 2]));
                auto pair = [&](int k, __m128i w) {
                    const __m128i v =
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * (index[2 * k] - xs.spanLo)));
                    const __m128i v2 = _mm_unpacklo_epi16(v, _mm_srli_si128(v, 8));
                    return _mm_srai_epi32(_mm_add_epi32(rounding, _mm_madd_epi16(v2, w)), shift);
                };
                StorePixels(pair(0, _mm_shuffle_epi32(weights, 0x00)), pair(1, _mm_shuffle_epi32(weights, 0x55)),
                            pair(2, _mm_shuffle_epi32(weights, 0xAA)), pair(3, _mm_shuffle_epi32(weights, 0xFF)),
                            out + i);
            } else if (xs.tapStart[i + 4] - t == 8) {
                // Four columns of one tap pair each, the usual case: straight through.
                const int* index = &xs.tapIndex[static_cast<size_t>(t)];
                const __m128i weights = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&xs.pairWeight[t / 2]));
                auto pair = [&](int k, __m128i w) {
                    const int16_t* a = row + 4 * (index[2 * k] - xs.spanLo);
                    const int16_t* b = row + 4 * (index[2 * k + 1] - xs.spanLo);
                    const __m128i v = _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a)),
                                                         _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b)));
                    return _mm_srai_epi32(_mm_add_epi32(rounding, _mm_madd_epi16(v, w)), shift);
                };
                StorePixels(pair(0, _mm_shuffle_epi32(weights, 0x00)), pair(1, _mm_shuffle_epi32(weights, 0x55)),
                            pair(2, _mm_shuffle_epi32(weights, 0xAA)), pair(3, _mm_shuffle_epi32(weights, 0xFF)),
                            out + i);
            } else if (xs.runTaps) {
                StorePixels(ColumnRunSum(row, xs, i, rounding), ColumnRunSum(row, xs, i + 1, rounding),
                            ColumnRunSum(row, xs, i + 2, rounding), ColumnRunSum(row, xs, i + 3, rounding), out + i);
            } else {
                StorePixels(ColumnSum(row, xs, i, rounding), ColumnSum(row, xs, i + 1, rounding),
                            ColumnSum(row, xs, i + 2, rounding), ColumnSum(row, xs, i + 3, rounding), out + i);
            }
        }
    }
    for (; i < xs.Size(); ++i)
        if (xs.nearest[i] >= 0)
            out[i] = PackPixel(ColumnSum(row, xs, i, rounding));
#else
    (void)allValid;
    for (; i < xs.Size(); ++i) {
        if (xs.nearest[i] < 0)
            continue;
        int32_t acc[3] = {1 << (shift - 1), 1 << (shift - 1), 1 << (shift - 1)};
        for (int t = xs.tapStart[i]; t < xs.tapStart[i + 1]; ++t) {
            const int16_t* v = row + 4 * (xs.tapIndex[t] - xs.spanLo);
            for (int c = 0; c < 3; ++c)
                acc[c] += xs.tapWeight[t] * v[c];
        }
        out[i] = PackChannels(acc[0] >> shift, acc[1] >> shift, acc[2] >> shift);
    }
#endif
}

// Columns of one source row straight into pixels (the rows need no combining).
void FilterColumns(const uint32_t* row, const AxisMap& xs, bool allValid, uint32_t* out)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i rounding = _mm_set1_epi32(1 << (kWeightBits - 1));
    if (allValid) {
        const __m128i zero = _mm_setzero_si128();
        for (; i + 4 <= xs.Size(); i += 4) {
            const int t = xs.tapStart[i];
            if (xs.tapStart[i + 4] - t == 8) {
                const int* index = &xs.tapIndex[static_cast<size_t>(t)];
                const __m128i weights = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&xs.pairWeight[t / 2]));
                auto pair = [&](int k, __m128i w) {
                    const __m128i a = _mm_cvtsi32_si128(static_cast<int>(row[index[2 * k]]));
                    const __m128i b = _mm_cvtsi32_si128(static_cast<int>(row[index[2 * k + 1]]));
                    const __m128i v = _mm_unpacklo_epi8(_mm_unpacklo_epi8(a, b), zero);
                    return _mm_srai_epi32(_mm_add_epi32(rounding, _mm_madd_epi16(v, w)), kWeightBits);
                };
                StorePixels(pair(0, _mm_shuffle_epi32(weights, 0x00)), pair(1, _mm_shuffle_epi32(weights, 0x55)),
                            pair(2, _mm_shuffle_epi32(weights, 0xAA)), pair(3, _mm_shuffle_epi32(weights, 0xFF)),
                            out + i);
            } else if (xs.runTaps) {
                StorePixels(PixelRunSum(row, xs, i, rounding), PixelRunSum(row, xs, i + 1, rounding),
                            PixelRunSum(row, xs, i + 2, rounding), PixelRunSum(row, xs, i + 3, rounding), out + i);
            } else {
                StorePixels(PixelSum(row, xs, i, rounding), PixelSum(row, xs, i + 1, rounding),
                            PixelSum(row, xs, i + 2, rounding), PixelSum(row, xs, i + 3, rounding), out + i);
            }
        }
    }
    for (; i < xs.Size(); ++i)
        if (xs.nearest[i] >= 0)
            out[i] = PackPixel(PixelSum(row, xs, i, rounding));
#else
    (void)allValid;
    for (; i < xs.Size(); ++i) {
        if (xs.nearest[i] < 0)
            continue;
        int32_t acc[3] = {1 << (kWeightBits - 1), 1 << (kWeightBits - 1), 1 << (kWeightBits - 1)};
        for (int t = xs.tapStart[i]; t < xs.tapStart[i + 1]; ++t)
            for (int c = 0; c < 3; ++c)
                acc[c] += xs.tapWeight[t] * Channel(row[xs.tapIndex[t]], c);
        out[i] = PackChannels(acc[0] >> kWeightBits, acc[1] >> kWeightBits, acc[2] >> kWeightBits);
    }
#endif
}

// Pixels copied with their unused byte cleared, as every filtered pixel has it.
void CopyPixels(const uint32_t* from, size_t count, uint32_t* out)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= count; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)), mask));
#endif
    for (; i < count; ++i)
        out[i] = from[i] & 0x00FFFFFF;
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
    if (clip_)
        bounds = bounds.Intersect(clip_->Bounds());
    const int64_t vx0 = std::max<int64_t>(dx0, bounds.left), vx1 = std::min<int64_t>(dx0 + dw, bounds.right);
    const int64_t vy0 = std::max<int64_t>(dy0, bounds.top), vy1 = std::min<int64_t>(dy0 + dh, bounds.bottom);
    if (vx0 >= vx1 || vy0 >= vy1)
        return;
    const Rect visible{static_cast<int>(vx0), static_cast<int>(vy0), static_cast<int>(vx1), static_cast<int>(vy1)};

    const int mode = stretchMode_;
    const AxisSpec xa{dw, sw0, sx0, src.width_, w < 0, sw < 0, false};
    const AxisSpec ya{dh, sh0, sy0, src.height_, h < 0, sh < 0, true};
    const AxisMap xs = BuildAxis(xa, vx0 - dx0, vx1 - dx0, mode);
    const AxisMap ys = BuildAxis(ya, vy0 - dy0, vy1 - dy0, mode);
    const bool halftone = mode == kHalftone;
    // AND and OR differ from picking one pixel only where a reduction merges pixels.
    const bool merge = (mode == kBlackOnWhite || mode == kWhiteOnBlack) && (xs.reduce || ys.reduce);

    const size_t width = xs.Size();
    const bool allValid = std::find(xs.nearest.begin(), xs.nearest.end(), -1) == xs.nearest.end();
    // Rows are made straight into this picture when nothing stands between: no clip, a plain copy and every
    // column drawn; otherwise through a line that the raster operation applies where the clip allows.
    const bool direct = !clip_ && rop == RasterOp::SrcCopy && allValid;
    std::vector<uint32_t> line(direct ? 0 : width);
    // What making one row needs besides the maps; one per thread making rows.
    struct Scratch {
        std::vector<int16_t> combined;
        std::vector<const uint32_t*> rows;
    };
    Scratch scratch;

    // Makes destination row `row`; false where its source lies outside the source picture.
    auto makeLine = [&](int row, uint32_t* out, Scratch& own) {
        std::vector<int16_t>& combined = own.combined;
        std::vector<const uint32_t*>& rows = own.rows;
        const size_t at = static_cast<size_t>(row - visible.top);
        if (ys.nearest[at] < 0)
            return false;
        if (halftone) {
            const int begin = ys.tapStart[at], taps = ys.tapStart[at + 1] - begin;
            const bool oneRow = taps == 2 && ys.tapWeight[begin] == kWeightOne;
            if (oneRow && xs.identity) {
                CopyPixels(src.Row(ys.tapIndex[begin]) + xs.nearest.front(), width, out);
            } else if (oneRow && allValid && xs.runTaps && WideRows()) {
                // The wide columns take combined values: the row is widened to them first.
                const int span = xs.spanHi - xs.spanLo;
                combined.resize(static_cast<size_t>(span) * 4);
                WidenRow(src.Row(ys.tapIndex[begin]) + xs.spanLo, span, combined.data());
                CombineColumns(combined.data(), xs, allValid, out);
            } else if (oneRow) {
                FilterColumns(src.Row(ys.tapIndex[begin]), xs, allValid, out);
            } else {
                rows.resize(static_cast<size_t>(taps));
                for (int t = 0; t < taps; ++t)
                    rows[static_cast<size_t>(t)] = src.Row(ys.tapIndex[begin + t]);
                const int32_t* weights = ys.pairWeight.data() + begin / 2;
                if (xs.identity) {
                    CombineRows<true>(rows.data(), weights, taps, xs.nearest.front(), static_cast<int>(width), out);
                } else {
                    const int span = xs.spanHi - xs.spanLo;
                    combined.resize(static_cast<size_t>(std::max(span, 0)) * 4);
                    CombineRows<false>(rows.data(), weights, taps, xs.spanLo, span, combined.data());
                    CombineColumns(combined.data(), xs, allValid, out);
                }
            }
        } else if (merge) {
            const bool useAnd = mode == kBlackOnWhite;
            const int r0 = ys.reduce ? ys.first[at] : ys.nearest[at];
            const int r1 = ys.reduce ? ys.last[at] : r0 + 1;
            for (size_t i = 0; i < width; ++i) {
                if (xs.nearest[i] < 0)
                    continue;
                const int c0 = xs.reduce ? xs.first[i] : xs.nearest[i];
                const int c1 = xs.reduce ? xs.last[i] : c0 + 1;
                uint32_t acc = useAnd ? 0x00FFFFFF : 0;
                for (int r = r0; r < r1; ++r) {
                    const uint32_t* s = src.Row(r);
                    for (int c = c0; c < c1; ++c)
                        acc = useAnd ? (acc & s[c]) : (acc | s[c]);
                }
                out[i] = acc & 0x00FFFFFF;
            }
        } else {
            const uint32_t* s = src.Row(ys.nearest[at]);
            if (xs.identity) {
                std::memcpy(out, s + xs.nearest.front(), sizeof(uint32_t) * width);
            } else if (!xs.nearestRuns.empty()) {
                for (const AxisMap::NearestRun& r : xs.nearestRuns)
                    FillPixels(out + r.at, r.count, s[r.source]);
            } else {
                for (size_t i = 0; i < width; ++i)
                    if (xs.nearest[i] >= 0)
                        out[i] = s[xs.nearest[i]];
            }
        }
        return true;
    };

    if (direct) {
        auto makeRows = [&](int from, int to, Scratch& own) {
            for (int yy = from; yy < to; ++yy)
                makeLine(yy, Row(yy) + visible.left, own);
        };
        // A filtered stretch reads every source pixel it merges: at full screen that is milliseconds a
        // frame, so a large one shares its rows with a second thread, a few at a time, so that neither waits
        // for the other (the helper starts late). Each row depends only on the source, so the pixels are the
        // same either way.
        const int64_t pixelsRead = halftone
            ? int64_t(ys.tapStart.back()) * std::max<int64_t>(xs.spanHi - xs.spanLo, static_cast<int64_t>(width))
            : 0;
        if (halftone && pixelsRead >= kSplitWork && visible.Height() >= 2 && std::thread::hardware_concurrency() > 1) {
            constexpr int kRowsTaken = 8;
            std::atomic<int> next{visible.top};
            auto takeRows = [&](Scratch& own) {
                for (int from = next.fetch_add(kRowsTaken); from < visible.bottom; from = next.fetch_add(kRowsTaken))
                    makeRows(from, std::min(from + kRowsTaken, visible.bottom), own);
            };
            Scratch other;
            std::exception_ptr otherFailed;
            std::optional<std::thread> helper;
            try {
                helper.emplace([&] {
                    try {
                        takeRows(other);
                    } catch (...) {
                        otherFailed = std::current_exception(); // out of memory: handed to the caller below
                    }
                });
            } catch (const std::system_error&) {
                // no thread to be had: all rows here
            }
            try {
                takeRows(scratch);
            } catch (...) {
                next = visible.bottom; // the helper stops after its rows in hand
                if (helper)
                    helper->join();
                throw;
            }
            if (helper)
                helper->join();
            if (otherFailed)
                std::rethrow_exception(otherFailed); // its rows were not all made
            return;
        }
        makeRows(visible.top, visible.bottom, scratch);
        return;
    }
    int lineRow = -1;
    bool lineValid = false;
    ForEachVisibleSpan(*this, visible, [&](int yy, int x0, int x1) {
        if (yy != lineRow) {
            lineValid = makeLine(yy, line.data(), scratch);
            lineRow = yy;
        }
        if (!lineValid)
            return;
        uint32_t* d = Row(yy);
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

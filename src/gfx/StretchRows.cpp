#include "gfx/StretchRows.h"

#include <algorithm>

#include "gfx/StretchRowsWide.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

uint8_t Channel(uint32_t pixel, int c)
{
    return static_cast<uint8_t>(pixel >> (8 * c));
}

uint32_t PackChannels(int32_t b, int32_t g, int32_t r)
{
    auto clamp = [](int32_t v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

// CombineRows and CombineRowsToPixels: the same sums, kept with 7 fraction bits or rounded to pixels.
template <bool ToPixels, typename Out>
void CombineRowsAs(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count, Out* out)
{
    constexpr int kShift = ToPixels ? kWeightBits : kRowShift;
    int p = 0;
    if constexpr (ToPixels)
        p = CombineRowsWideToPixels(rows, pairWeight, taps, from, count, out);
    else
        p = CombineRowsWide(rows, pairWeight, taps, from, count, out);
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (kShift - 1));
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
        const __m128i lo = _mm_packs_epi32(_mm_srai_epi32(acc0, kShift), _mm_srai_epi32(acc1, kShift));
        const __m128i hi = _mm_packs_epi32(_mm_srai_epi32(acc2, kShift), _mm_srai_epi32(acc3, kShift));
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
            acc[c] = 1 << (kShift - 1);
            for (int t = 0; t < taps; ++t) {
                const int32_t w = static_cast<int16_t>(pairWeight[t / 2] >> (t % 2 ? 16 : 0));
                acc[c] += w * Channel(rows[t][from + p], c);
            }
            acc[c] >>= kShift;
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

} // namespace

// Columns of a combined row (4 values per source pixel from spanLo on, with 7 fraction bits) into pixels.
// Columns whose source lies outside the picture are skipped.
void CombineColumns(const int16_t* row, const AxisMap& xs, bool allValid, uint32_t* out)
{
    constexpr int kShift = kWeightBits + kRowShift;
    size_t i = 0;
    if (allValid && xs.runTaps)
        i = static_cast<size_t>(CombineRunColumnsWide(row, xs.Runs(), xs.spanLo, static_cast<int>(xs.Size()), out));
#if defined(__SSE2__)
    const __m128i rounding = _mm_set1_epi32(1 << (kShift - 1));
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
                    return _mm_srai_epi32(_mm_add_epi32(rounding, _mm_madd_epi16(v2, w)), kShift);
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
                    return _mm_srai_epi32(_mm_add_epi32(rounding, _mm_madd_epi16(v, w)), kShift);
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
        int32_t acc[3] = {1 << (kShift - 1), 1 << (kShift - 1), 1 << (kShift - 1)};
        for (int t = xs.tapStart[i]; t < xs.tapStart[i + 1]; ++t) {
            const int16_t* v = row + 4 * (xs.tapIndex[t] - xs.spanLo);
            for (int c = 0; c < 3; ++c)
                acc[c] += xs.tapWeight[t] * v[c];
        }
        out[i] = PackChannels(acc[0] >> kShift, acc[1] >> kShift, acc[2] >> kShift);
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

void CombineRows(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count, int16_t* out)
{
    CombineRowsAs<false>(rows, pairWeight, taps, from, count, out);
}

void CombineRowsToPixels(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                         uint32_t* out)
{
    CombineRowsAs<true>(rows, pairWeight, taps, from, count, out);
}

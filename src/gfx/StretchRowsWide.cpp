// AVX2 rows of a filtered stretch. The arithmetic is the SSE2 loop's, twice as wide: 32-bit sums of
// byte x 14-bit weight products taken two rows at a time, rounded and shifted, so the pixels are the same
// whichever path made them.
#include "gfx/StretchRowsWide.h"

#include <atomic>

// Not on Windows: GCC there does not align the stack for spilled 32-byte values (its bug 54412).
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__)) && !defined(_WIN32)
#define QM_WIDE_ROWS 1
#include <immintrin.h>
#endif

namespace {

std::atomic<bool> g_useWide{true};

#if defined(QM_WIDE_ROWS)
// The wide paths are taken: the processor has AVX2 and nobody switched them off.
bool Wide()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has && g_useWide.load(std::memory_order_relaxed);
}

// Sums of eight pixels over the tap pairs: per 128-bit lane, acc0..acc3 hold pixels 0-3 of the lane's four.
struct Sums8 {
    __m256i acc0, acc1, acc2, acc3;
};

__attribute__((target("avx2"))) inline Sums8 Sum8(const uint32_t* const* rows, const int32_t* pairWeight, int taps,
                                                  int at, int shift)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi32(1 << (shift - 1));
    Sums8 s{half, half, half, half};
    for (int t = 0; t < taps; t += 2) {
        const __m256i w = _mm256_set1_epi32(pairWeight[t / 2]);
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[t] + at));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[t + 1] + at));
        const __m256i lo = _mm256_unpacklo_epi8(a, b); // pixels 0, 1 (and 4, 5), the two rows' bytes side by side
        const __m256i hi = _mm256_unpackhi_epi8(a, b); // pixels 2, 3 (and 6, 7)
        s.acc0 = _mm256_add_epi32(s.acc0, _mm256_madd_epi16(_mm256_unpacklo_epi8(lo, zero), w));
        s.acc1 = _mm256_add_epi32(s.acc1, _mm256_madd_epi16(_mm256_unpackhi_epi8(lo, zero), w));
        s.acc2 = _mm256_add_epi32(s.acc2, _mm256_madd_epi16(_mm256_unpacklo_epi8(hi, zero), w));
        s.acc3 = _mm256_add_epi32(s.acc3, _mm256_madd_epi16(_mm256_unpackhi_epi8(hi, zero), w));
    }
    const __m128i count = _mm_cvtsi32_si128(shift);
    s.acc0 = _mm256_sra_epi32(s.acc0, count);
    s.acc1 = _mm256_sra_epi32(s.acc1, count);
    s.acc2 = _mm256_sra_epi32(s.acc2, count);
    s.acc3 = _mm256_sra_epi32(s.acc3, count);
    return s;
}

__attribute__((target("avx2"))) int Combined(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from,
                                             int count, int16_t* out)
{
    int p = 0;
    for (; p + 8 <= count; p += 8) {
        const Sums8 s = Sum8(rows, pairWeight, taps, from + p, 7);
        const __m256i lo = _mm256_packs_epi32(s.acc0, s.acc1); // pixels 0, 1 | 4, 5
        const __m256i hi = _mm256_packs_epi32(s.acc2, s.acc3); // pixels 2, 3 | 6, 7
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 4 * p), _mm256_permute2x128_si256(lo, hi, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 4 * p + 16), _mm256_permute2x128_si256(lo, hi, 0x31));
    }
    return p;
}

__attribute__((target("avx2"))) int Pixels(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from,
                                           int count, uint32_t* out)
{
    int p = 0;
    const __m256i mask = _mm256_set1_epi32(0x00FFFFFF);
    for (; p + 8 <= count; p += 8) {
        const Sums8 s = Sum8(rows, pairWeight, taps, from + p, 14);
        // Lane by lane: pixels 0, 1 and 2, 3 pack to bytes of pixels 0-3 (and 4-7 in the upper lane).
        const __m256i bytes =
            _mm256_packus_epi16(_mm256_packs_epi32(s.acc0, s.acc1), _mm256_packs_epi32(s.acc2, s.acc3));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + p), _mm256_and_si256(bytes, mask));
    }
    return p;
}

// Destination pixels 2k and 2k + 1 of eight, one in each lane: both neighbouring values of each come
// with one load.
__attribute__((target("avx2"))) inline __m256i TwoColumns(const int16_t* row, const int* index, int spanLo,
                                                          __m256i weights, int k, __m256i rounding)
{
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * (index[4 * k] - spanLo)));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * (index[4 * k + 2] - spanLo)));
    const __m256i v = _mm256_inserti128_si256(_mm256_castsi128_si256(a), b, 1);
    const __m256i pairs = _mm256_unpacklo_epi16(v, _mm256_srli_si256(v, 8));
    const __m256i w = _mm256_permutevar8x32_epi32(
        weights, _mm256_setr_epi32(2 * k, 2 * k, 2 * k, 2 * k, 2 * k + 1, 2 * k + 1, 2 * k + 1, 2 * k + 1));
    return _mm256_srai_epi32(_mm256_add_epi32(rounding, _mm256_madd_epi16(pairs, w)), 14 + 7);
}

__attribute__((target("avx2"))) int AdjacentColumns(const int16_t* row, const int* tapIndex, const int* tapStart,
                                                    const int32_t* pairWeight, const uint8_t* adjacentQuad, int spanLo,
                                                    int at, int count, uint32_t* out)
{
    constexpr int shift = 14 + 7;
    const __m256i rounding = _mm256_set1_epi32(1 << (shift - 1));
    const __m256i mask = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    int i = at;
    for (; i + 8 <= count && adjacentQuad[i / 4] && adjacentQuad[i / 4 + 1]; i += 8) {
        const int t = tapStart[i]; // two taps a pixel from here on
        const int* index = tapIndex + t;
        const __m256i weights = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairWeight + t / 2));
        const __m256i p01 = TwoColumns(row, index, spanLo, weights, 0, rounding);
        const __m256i p23 = TwoColumns(row, index, spanLo, weights, 1, rounding);
        const __m256i p45 = TwoColumns(row, index, spanLo, weights, 2, rounding);
        const __m256i p67 = TwoColumns(row, index, spanLo, weights, 3, rounding);
        // Lanes hold pixels 0, 2, 4, 6 and 1, 3, 5, 7: packed to bytes, then put in order.
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(p01, p23), _mm256_packs_epi32(p45, p67));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_and_si256(_mm256_permutevar8x32_epi32(bytes, order), mask));
    }
    return i;
}

// The same for pixels 2k and 2k + 1 of eight from a row of pixels: the two neighbours' bytes, side by side.
__attribute__((target("avx2"))) inline __m256i TwoPixelColumns(const uint32_t* row, const int* index, __m256i weights,
                                                               int k, __m256i rounding)
{
    const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + index[4 * k]));
    const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + index[4 * k + 2]));
    const __m128i bytes =
        _mm_unpacklo_epi64(_mm_unpacklo_epi8(a, _mm_srli_si128(a, 4)), _mm_unpacklo_epi8(b, _mm_srli_si128(b, 4)));
    const __m256i pairs = _mm256_cvtepu8_epi16(bytes);
    const __m256i w = _mm256_permutevar8x32_epi32(
        weights, _mm256_setr_epi32(2 * k, 2 * k, 2 * k, 2 * k, 2 * k + 1, 2 * k + 1, 2 * k + 1, 2 * k + 1));
    return _mm256_srai_epi32(_mm256_add_epi32(rounding, _mm256_madd_epi16(pairs, w)), 14);
}

__attribute__((target("avx2"))) int AdjacentPixelColumns(const uint32_t* row, const int* tapIndex, const int* tapStart,
                                                         const int32_t* pairWeight, const uint8_t* adjacentQuad, int at,
                                                         int count, uint32_t* out)
{
    const __m256i rounding = _mm256_set1_epi32(1 << 13);
    const __m256i mask = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    int i = at;
    for (; i + 8 <= count && adjacentQuad[i / 4] && adjacentQuad[i / 4 + 1]; i += 8) {
        const int t = tapStart[i];
        const int* index = tapIndex + t;
        const __m256i weights = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairWeight + t / 2));
        const __m256i p01 = TwoPixelColumns(row, index, weights, 0, rounding);
        const __m256i p23 = TwoPixelColumns(row, index, weights, 1, rounding);
        const __m256i p45 = TwoPixelColumns(row, index, weights, 2, rounding);
        const __m256i p67 = TwoPixelColumns(row, index, weights, 3, rounding);
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(p01, p23), _mm256_packs_epi32(p45, p67));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_and_si256(_mm256_permutevar8x32_epi32(bytes, order), mask));
    }
    return i;
}
#endif

} // namespace

void UseWideRows(bool use)
{
    g_useWide = use;
}

int CombineRowsWide(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count, int16_t* out)
{
#if defined(QM_WIDE_ROWS)
    if (Wide())
        return Combined(rows, pairWeight, taps, from, count, out);
#endif
    (void)rows, (void)pairWeight, (void)taps, (void)from, (void)count, (void)out;
    return 0;
}

int CombineRowsWideToPixels(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                            uint32_t* out)
{
#if defined(QM_WIDE_ROWS)
    if (Wide())
        return Pixels(rows, pairWeight, taps, from, count, out);
#endif
    (void)rows, (void)pairWeight, (void)taps, (void)from, (void)count, (void)out;
    return 0;
}

int CombineAdjacentColumnsWide(const int16_t* row, const int* tapIndex, const int* tapStart, const int32_t* pairWeight,
                               const uint8_t* adjacentQuad, int spanLo, int at, int count, uint32_t* out)
{
#if defined(QM_WIDE_ROWS)
    if (Wide())
        return AdjacentColumns(row, tapIndex, tapStart, pairWeight, adjacentQuad, spanLo, at, count, out);
#endif
    (void)row, (void)tapIndex, (void)tapStart, (void)pairWeight, (void)adjacentQuad, (void)spanLo, (void)count,
        (void)out;
    return at;
}

int FilterAdjacentColumnsWide(const uint32_t* row, const int* tapIndex, const int* tapStart, const int32_t* pairWeight,
                              const uint8_t* adjacentQuad, int at, int count, uint32_t* out)
{
#if defined(QM_WIDE_ROWS)
    if (Wide())
        return AdjacentPixelColumns(row, tapIndex, tapStart, pairWeight, adjacentQuad, at, count, out);
#endif
    (void)row, (void)tapIndex, (void)tapStart, (void)pairWeight, (void)adjacentQuad, (void)count, (void)out;
    return at;
}

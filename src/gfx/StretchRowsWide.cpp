// AVX2 rows and columns of a filtered stretch, and the choice between them and the AVX-512 ones. The arithmetic
// is the SSE2 loop's, twice as wide: 32-bit sums of byte (or combined value) x 14-bit weight products taken two
// at a time, rounded and shifted, so the pixels are the same whichever path made them.
#include "gfx/StretchRowsWide.h"

#include <atomic>
#include <cstddef>

#if defined(QM_WIDE_ROWS)
#include <immintrin.h>

#include "gfx/StretchRows512.h"
#endif

namespace {

std::atomic<bool> g_useWide{true};
std::atomic<bool> g_useWidest{true};

#if defined(QM_WIDE_ROWS)
// The wide paths are taken: the processor has AVX2 and nobody switched them off.
bool Wide()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has && g_useWide.load(std::memory_order_relaxed);
}

// The wide paths are taken at AVX-512.
bool Widest()
{
    return Wide() && Has512() && g_useWidest.load(std::memory_order_relaxed);
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

// Destination pixels 2j and 2j + 1 of a group, one in each lane, from their runs of neighbouring combined values:
// per pair of the runs, one load a pixel, the two values' channels put side by side, times the pair's weights
// (weights[8 n] for pixel 2j, the next for pixel 2j + 1).
template <int Taps>
__attribute__((target("avx2"))) inline __m256i TwoRuns(const int16_t* row, const int* start, const int32_t* weights,
                                                       int taps, __m256i rounding)
{
    const int pairs = (Taps ? Taps : taps) / 2;
    const __m256i sideBySide = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15, 0, 1, 8, 9, 2, 3,
                                                10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
    const int16_t* a = row + 4 * start[0];
    const int16_t* b = row + 4 * start[1];
    __m256i acc = rounding;
    for (int n = 0; n < pairs; ++n) {
        const __m256i v = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 8 * n))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * n)), 1);
        const __m256i w =
            _mm256_blend_epi32(_mm256_set1_epi32(weights[8 * n]), _mm256_set1_epi32(weights[8 * n + 1]), 0xF0);
        acc = _mm256_add_epi32(acc, _mm256_madd_epi16(_mm256_shuffle_epi8(v, sideBySide), w));
    }
    return _mm256_srai_epi32(acc, 14 + 7);
}

// One group of eight destination pixels.
template <int Taps>
__attribute__((target("avx2"))) inline void RunGroup(const int16_t* row, const int* start, const int32_t* weights,
                                                     int taps, uint32_t* out)
{
    const __m256i rounding = _mm256_set1_epi32(1 << (14 + 7 - 1));
    const __m256i p01 = TwoRuns<Taps>(row, start, weights, taps, rounding);
    const __m256i p23 = TwoRuns<Taps>(row, start + 2, weights + 2, taps, rounding);
    const __m256i p45 = TwoRuns<Taps>(row, start + 4, weights + 4, taps, rounding);
    const __m256i p67 = TwoRuns<Taps>(row, start + 6, weights + 6, taps, rounding);
    // Lanes hold pixels 0, 2, 4, 6 and 1, 3, 5, 7: packed to bytes, then put in order.
    const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(p01, p23), _mm256_packs_epi32(p45, p67));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_and_si256(_mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)),
                                         _mm256_set1_epi32(0x00FFFFFF)));
}

__attribute__((target("avx2"))) int RunColumns(const int16_t* row, const ColumnRuns& runs, int spanLo, int count,
                                               uint32_t* out)
{
    const int16_t* base = row - 4 * static_cast<ptrdiff_t>(spanLo);
    int i = 0;
    for (int g = 0; i + kRunGroup <= count; ++g, i += kRunGroup) {
        const int* start = runs.start + i;
        const int32_t* weights = runs.weights + runs.at[g];
        switch (runs.taps[g]) {
        case 2: RunGroup<2>(base, start, weights, 2, out + i); break;
        case 4: RunGroup<4>(base, start, weights, 4, out + i); break;
        default: RunGroup<0>(base, start, weights, runs.taps[g], out + i);
        }
    }
    return i;
}

__attribute__((target("avx2"))) int Widened(const uint32_t* row, int count, int16_t* out)
{
    int p = 0;
    for (; p + 4 <= count; p += 4) {
        const __m256i v = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + p)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 4 * p), _mm256_slli_epi16(v, 7));
    }
    return p;
}
#endif

} // namespace

void UseWideRows(bool use)
{
    g_useWide = use;
}

void UseWidestRows(bool use)
{
    g_useWidest = use;
}

int CombineRowsWide(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count, int16_t* out)
{
#if defined(QM_WIDE_ROWS)
    if (Widest()) {
        const int p = CombinedRows512(rows, pairWeight, taps, from, count, out);
        return p + Combined(rows, pairWeight, taps, from + p, count - p, out + 4 * p);
    }
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
    if (Widest()) {
        const int p = PixelRows512(rows, pairWeight, taps, from, count, out);
        return p + Pixels(rows, pairWeight, taps, from + p, count - p, out + p);
    }
    if (Wide())
        return Pixels(rows, pairWeight, taps, from, count, out);
#endif
    (void)rows, (void)pairWeight, (void)taps, (void)from, (void)count, (void)out;
    return 0;
}

int CombineRunColumnsWide(const int16_t* row, const ColumnRuns& runs, int spanLo, int count, uint32_t* out)
{
#if defined(QM_WIDE_ROWS)
    if (Widest())
        return RunColumns512(row, runs, spanLo, count, out);
    if (Wide())
        return RunColumns(row, runs, spanLo, count, out);
#endif
    (void)row, (void)runs, (void)spanLo, (void)count, (void)out;
    return 0;
}

bool WideRows()
{
#if defined(QM_WIDE_ROWS)
    return Wide();
#else
    return false;
#endif
}

void WidenRow(const uint32_t* row, int count, int16_t* out)
{
    int p = 0;
#if defined(QM_WIDE_ROWS)
    if (Widest())
        p = Widened512(row, count, out);
    else if (Wide())
        p = Widened(row, count, out);
#endif
    for (; p < count; ++p)
        for (int c = 0; c < 4; ++c)
            out[4 * p + c] = static_cast<int16_t>(((row[p] >> (8 * c)) & 0xFF) << 7);
}

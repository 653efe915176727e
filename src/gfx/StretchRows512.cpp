// AVX-512 rows and columns of a filtered stretch: sixteen pixels a row step, eight a column group, with the
// arithmetic of the narrower paths (byte or combined value x 14-bit weight, two at a time, 32-bit sums rounded
// and shifted), so the pixels are the same whichever path made them.
#include "gfx/StretchRows512.h"

#if defined(QM_WIDE_ROWS)
// GCC 12's AVX-512 headers fill the unused operand of their masked builtins with an undefined value and then
// warn about it where they are inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>

#include <cstddef>

#define QM_512 __attribute__((target("avx512f,avx512bw")))

namespace {

// Sums of sixteen pixels over the tap pairs: per 128-bit lane k, acc0..acc3 hold pixels 4k .. 4k + 3.
struct Sums16 {
    __m512i acc0, acc1, acc2, acc3;
};

template <int Shift>
QM_512 inline Sums16 Sum16(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int at)
{
    const __m512i zero = _mm512_setzero_si512();
    const __m512i half = _mm512_set1_epi32(1 << (Shift - 1));
    Sums16 s{half, half, half, half};
    for (int t = 0; t < taps; t += 2) {
        const __m512i w = _mm512_set1_epi32(pairWeight[t / 2]);
        const __m512i a = _mm512_loadu_si512(rows[t] + at);
        const __m512i b = _mm512_loadu_si512(rows[t + 1] + at);
        const __m512i lo = _mm512_unpacklo_epi8(a, b); // per lane: pixels 0, 1, the two rows' bytes side by side
        const __m512i hi = _mm512_unpackhi_epi8(a, b); // pixels 2, 3
        s.acc0 = _mm512_add_epi32(s.acc0, _mm512_madd_epi16(_mm512_unpacklo_epi8(lo, zero), w));
        s.acc1 = _mm512_add_epi32(s.acc1, _mm512_madd_epi16(_mm512_unpackhi_epi8(lo, zero), w));
        s.acc2 = _mm512_add_epi32(s.acc2, _mm512_madd_epi16(_mm512_unpacklo_epi8(hi, zero), w));
        s.acc3 = _mm512_add_epi32(s.acc3, _mm512_madd_epi16(_mm512_unpackhi_epi8(hi, zero), w));
    }
    s.acc0 = _mm512_srai_epi32(s.acc0, Shift);
    s.acc1 = _mm512_srai_epi32(s.acc1, Shift);
    s.acc2 = _mm512_srai_epi32(s.acc2, Shift);
    s.acc3 = _mm512_srai_epi32(s.acc3, Shift);
    return s;
}

// Destination pixels 4q .. 4q + 3 of a group, one in each lane, from their runs of neighbouring combined values.
template <int Taps>
QM_512 inline __m512i FourRuns(const int16_t* row, const int* start, const int32_t* weights, int taps)
{
    const int pairs = (Taps ? Taps : taps) / 2;
    const __m512i sideBySide =
        _mm512_broadcast_i32x4(_mm_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15));
    const __m512i spread = _mm512_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3);
    const int16_t* a = row + 4 * static_cast<ptrdiff_t>(start[0]);
    const int16_t* b = row + 4 * static_cast<ptrdiff_t>(start[1]);
    const int16_t* c = row + 4 * static_cast<ptrdiff_t>(start[2]);
    const int16_t* d = row + 4 * static_cast<ptrdiff_t>(start[3]);
    __m512i acc = _mm512_set1_epi32(1 << (14 + 7 - 1));
    for (int n = 0; n < pairs; ++n) {
        __m512i v = _mm512_castsi128_si512(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 8 * n)));
        v = _mm512_inserti32x4(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * n)), 1);
        v = _mm512_inserti32x4(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + 8 * n)), 2);
        v = _mm512_inserti32x4(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 8 * n)), 3);
        const __m512i w = _mm512_permutexvar_epi32(
            spread, _mm512_castsi128_si512(_mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + 8 * n))));
        acc = _mm512_add_epi32(acc, _mm512_madd_epi16(_mm512_shuffle_epi8(v, sideBySide), w));
    }
    return _mm512_srai_epi32(acc, 14 + 7);
}

// Eight pixels from their two fours' sums: packed to bytes and put in order.
QM_512 inline void StoreGroup(__m512i low, __m512i high, uint32_t* out)
{
    const __m512i packed = _mm512_packs_epi32(low, high); // lane k: pixels k, 4 + k
    const __m512i bytes = _mm512_packus_epi16(packed, packed);
    const __m512i order = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m256i pixels = _mm512_castsi512_si256(_mm512_permutexvar_epi32(order, bytes));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_and_si256(pixels, _mm256_set1_epi32(0x00FFFFFF)));
}

template <int Taps>
QM_512 inline void RunGroup(const int16_t* row, const int* start, const int32_t* weights, int taps, uint32_t* out)
{
    StoreGroup(FourRuns<Taps>(row, start, weights, taps), FourRuns<Taps>(row, start + 4, weights + 4, taps), out);
}

} // namespace

bool Has512()
{
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return has;
}

QM_512 int CombinedRows512(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                           int16_t* out)
{
    const __m512i first = _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11);
    const __m512i second = _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15);
    int p = 0;
    for (; p + 16 <= count; p += 16) {
        const Sums16 s = Sum16<7>(rows, pairWeight, taps, from + p);
        const __m512i lo = _mm512_packs_epi32(s.acc0, s.acc1); // lane k: pixels 4k, 4k + 1
        const __m512i hi = _mm512_packs_epi32(s.acc2, s.acc3); // pixels 4k + 2, 4k + 3
        _mm512_storeu_si512(out + 4 * p, _mm512_permutex2var_epi64(lo, first, hi));
        _mm512_storeu_si512(out + 4 * p + 32, _mm512_permutex2var_epi64(lo, second, hi));
    }
    return p;
}

QM_512 int PixelRows512(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                        uint32_t* out)
{
    const __m512i mask = _mm512_set1_epi32(0x00FFFFFF);
    int p = 0;
    for (; p + 16 <= count; p += 16) {
        const Sums16 s = Sum16<14>(rows, pairWeight, taps, from + p);
        const __m512i bytes =
            _mm512_packus_epi16(_mm512_packs_epi32(s.acc0, s.acc1), _mm512_packs_epi32(s.acc2, s.acc3));
        _mm512_storeu_si512(out + p, _mm512_and_si512(bytes, mask));
    }
    return p;
}

QM_512 int RunColumns512(const int16_t* row, const ColumnRuns& runs, int spanLo, int count, uint32_t* out)
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

QM_512 int Widened512(const uint32_t* row, int count, int16_t* out)
{
    int p = 0;
    for (; p + 8 <= count; p += 8) {
        const __m512i v = _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + p)));
        _mm512_storeu_si512(out + 4 * p, _mm512_slli_epi16(v, 7));
    }
    return p;
}
#endif

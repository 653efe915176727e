// Comparing runs of pixels: a pixel at a time with a branch each, a 4K slide took milliseconds.
#include "gfx/PixelCompare.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

bool SameColours(const uint32_t* a, const uint32_t* b, int64_t count)
{
    int64_t i = 0;
    uint32_t differ = 0;
#if defined(__SSE2__)
    __m128i any = _mm_setzero_si128();
    for (; i + 8 <= count; i += 8) {
        const __m128i lo = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)));
        const __m128i hi = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i + 4)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i + 4)));
        any = _mm_or_si128(any, _mm_or_si128(lo, hi));
    }
    any = _mm_and_si128(any, _mm_set1_epi32(0x00FFFFFF));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(any, _mm_setzero_si128())) != 0xFFFF)
        return false;
#endif
    for (; i < count; ++i)
        differ |= a[i] ^ b[i];
    return (differ & 0x00FFFFFF) == 0;
}

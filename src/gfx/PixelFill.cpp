// Filling runs of one pixel: the compiler's own loop stores one pixel at a time, a fourth of the speed
// a long run can be written at.
#include "gfx/PixelFill.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void FillPixels(uint32_t* to, int64_t count, uint32_t pixel)
{
    int64_t i = 0;
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
    for (; i + 8 <= count; i += 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 4), four);
    }
    if (i + 4 <= count) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), four);
        i += 4;
    }
#endif
    for (; i < count; ++i)
        to[i] = pixel;
}

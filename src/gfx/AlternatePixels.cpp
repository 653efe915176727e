// Every other pixel of a run, as combs of one-pixel lines move them: four pixels at a time, the two wanted
// ones blended over the two kept, instead of one store per pixel.
#include "gfx/AlternatePixels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void CopyAlternatePixels(uint32_t* to, const uint32_t* from, int count)
{
    int k = 0;
#if defined(__SSE2__)
    // Pixels 2k .. 2k + 3 at a time while 2k + 3 stays before the run's last wanted pixel 2 (count - 1).
    const __m128i wanted = _mm_setr_epi32(-1, 0, -1, 0);
    for (; k + 3 <= count; k += 2) {
        const __m128i kept = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + 2 * k));
        const __m128i moved = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 2 * k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * k),
                         _mm_or_si128(_mm_and_si128(wanted, moved), _mm_andnot_si128(wanted, kept)));
    }
#endif
    for (; k < count; ++k)
        to[2 * k] = from[2 * k];
}

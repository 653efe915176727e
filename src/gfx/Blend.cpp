// The blend of two pixel rows: four pixels (sixteen bytes) a step with SSE2, which both builds have, widened
// to 16-bit lanes where a * (256 - w) + b * w + 128 <= 255 * 256 + 128 still fits unsigned.
#include "gfx/Blend.h"

#include <algorithm>
#include <cstring>

#include "base/SecondThread.h"
#include "gfx/Picture.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline uint32_t BlendPixel(uint32_t a, uint32_t b, uint32_t wa, uint32_t wb)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= ((ca * wa + cb * wb + 128) >> 8) << shift;
    }
    return out;
}

template <bool HasA, bool HasB>
void BlendRow(uint32_t* out, const uint32_t* a, const uint32_t* b, int64_t count, int weight)
{
    const uint32_t wb = static_cast<uint32_t>(weight), wa = kBlendOne - wb;
    int64_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i weightA = _mm_set1_epi16(static_cast<short>(wa));
    const __m128i weightB = _mm_set1_epi16(static_cast<short>(wb));
    const __m128i half = _mm_set1_epi16(128);
    for (; i + 4 <= count; i += 4) {
        __m128i lo = half, hi = half;
        if constexpr (HasA) {
            const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
            lo = _mm_add_epi16(lo, _mm_mullo_epi16(_mm_unpacklo_epi8(va, zero), weightA));
            hi = _mm_add_epi16(hi, _mm_mullo_epi16(_mm_unpackhi_epi8(va, zero), weightA));
        }
        if constexpr (HasB) {
            const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
            lo = _mm_add_epi16(lo, _mm_mullo_epi16(_mm_unpacklo_epi8(vb, zero), weightB));
            hi = _mm_add_epi16(hi, _mm_mullo_epi16(_mm_unpackhi_epi8(vb, zero), weightB));
        }
        lo = _mm_srli_epi16(lo, 8);
        hi = _mm_srli_epi16(hi, 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < count; ++i)
        out[i] = BlendPixel(HasA ? a[i] : 0, HasB ? b[i] : 0, wa, wb);
}

} // namespace

void BlendPixelsReference(uint32_t* out, const uint32_t* a, const uint32_t* b, int64_t count, int weight)
{
    const uint32_t wb = static_cast<uint32_t>(std::clamp(weight, 0, kBlendOne)), wa = kBlendOne - wb;
    for (int64_t i = 0; i < count; ++i)
        out[i] = BlendPixel(a ? a[i] : 0, b ? b[i] : 0, wa, wb);
}

void BlendPixels(uint32_t* out, const uint32_t* a, const uint32_t* b, int64_t count, int weight)
{
    weight = std::clamp(weight, 0, kBlendOne);
    if (a && b)
        BlendRow<true, true>(out, a, b, count, weight);
    else if (a)
        BlendRow<true, false>(out, a, nullptr, count, weight);
    else if (b)
        BlendRow<false, true>(out, nullptr, b, count, weight);
    else
        std::memset(out, 0, static_cast<size_t>(std::max<int64_t>(count, 0)) * sizeof(uint32_t));
}

void BlendRect(Picture& dest, const Rect& r, const Picture* a, Point aOffset, const Picture* b, Point bOffset,
               int weight)
{
    if (!dest.IsLoaded())
        return;
    if (a && !a->IsLoaded())
        a = nullptr;
    if (b && !b->IsLoaded())
        b = nullptr;
    Rect c = r.Intersect(dest.GetRect());
    if (a)
        c = c.Intersect(a->GetRect().Offset(-aOffset.x, -aOffset.y));
    if (b)
        c = c.Intersect(b->GetRect().Offset(-bOffset.x, -bOffset.y));
    if (c.IsEmpty())
        return;
    auto rows = [&](int from, int to) {
        for (int y = from; y < to; ++y) {
            const uint32_t* rowA = a ? a->Row(y + aOffset.y) + c.left + aOffset.x : nullptr;
            const uint32_t* rowB = b ? b->Row(y + bOffset.y) + c.left + bOffset.x : nullptr;
            BlendPixels(dest.Row(y) + c.left, rowA, rowB, c.Width(), weight);
        }
    };
    RunRowsOnTwoThreads(c.top, c.bottom, int64_t(c.Width()) * c.Height(), rows);
}

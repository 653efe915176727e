#include "gfx/AlphaStretch.h"

#include "gfx/Picture.h"

#include <algorithm>

void StretchOver(Picture& target, int x, int y, int w, int h, const Picture& image, int sw, int sh)
{
    if (!image.IsLoaded() || !target.IsLoaded())
        return;
    if (!image.HasAlpha() || w <= 0 || h <= 0) {
        const int previous = target.SetStretchBltMode(kHalftone);
        target.StretchBlt(x, y, w, h, image, 0, 0, sw, sh);
        target.SetStretchBltMode(previous);
        return;
    }
    // Colour (already weighted by opacity) and opacity are stretched alike, so both average over the
    // same source pixels; the stretched colour then needs only the rest of the target added.
    Picture opacity, colour, cover;
    if (!opacity.CreateBlank(image.Width(), image.Height(), 0) || !colour.CreateBlank(w, h, 0) ||
        !cover.CreateBlank(w, h, 0))
        return;
    const std::vector<uint8_t>& alpha = image.Alpha();
    for (int row = 0; row < image.Height(); ++row) {
        uint32_t* out = opacity.Row(row);
        const uint8_t* in = &alpha[static_cast<size_t>(row) * image.Width()];
        for (int col = 0; col < image.Width(); ++col)
            out[col] = in[col] * 0x010101u;
    }
    colour.SetStretchBltMode(kHalftone);
    colour.StretchBlt(0, 0, w, h, image, 0, 0, sw, sh);
    cover.SetStretchBltMode(kHalftone);
    cover.StretchBlt(0, 0, w, h, opacity, 0, 0, sw, sh);
    const int top = std::max(0, -y), bottom = std::min(h, target.Height() - y);
    const int left = std::max(0, -x), right = std::min(w, target.Width() - x);
    for (int row = top; row < bottom; ++row) {
        uint32_t* dst = target.Row(y + row) + x;
        const uint32_t* src = colour.Row(row);
        const uint32_t* a = cover.Row(row);
        for (int col = left; col < right; ++col) {
            const uint32_t rest = 255 - (a[col] & 0xFF);
            uint32_t out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t c = (src[col] >> shift & 0xFF) + ((dst[col] >> shift & 0xFF) * rest + 127) / 255;
                out |= std::min<uint32_t>(c, 255) << shift;
            }
            dst[col] = out;
        }
    }
}

#include "gfx/Gradient.h"

#include <cstddef>

namespace {

int Channel(uint32_t c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFF);
}

float ChannelStep(uint32_t a, uint32_t b, int shift, float denominator)
{
    return static_cast<float>(Channel(b, shift) - Channel(a, shift)) / denominator;
}

uint32_t ChannelAt(uint32_t a, float step, int t, int shift)
{
    // The step is single precision; its product with the band number is not rounded to single.
    const int delta = static_cast<int>(static_cast<double>(t) * static_cast<double>(step));
    return static_cast<uint32_t>(static_cast<uint8_t>(Channel(a, shift) + delta)) << shift;
}

} // namespace

GradientStep MakeGradientStep(uint32_t a, uint32_t b, float denominator)
{
    return {ChannelStep(a, b, 0, denominator), ChannelStep(a, b, 8, denominator), ChannelStep(a, b, 16, denominator)};
}

uint32_t GradientBandColour(uint32_t a, const GradientStep& step, int t)
{
    return ChannelAt(a, step.red, t, 0) | ChannelAt(a, step.green, t, 8) | ChannelAt(a, step.blue, t, 16);
}

std::vector<GradientBand> GradientBands(uint32_t first, uint32_t second, int style, int width, int height)
{
    std::vector<GradientBand> bands;
    if (style < 0 || style >= kGradientStyleCount || width <= 0 || height <= 0)
        return bands;
    const int w = width;
    const int h = height;
    auto add = [&](GradientShape shape, int l, int t, int r, int b, uint32_t colour) {
        bands.push_back({shape, l, t, r, b, colour});
    };

    switch (style) {
    case 0:
    case 1: { // rows, one pixel each
        const uint32_t a = style == 0 ? first : second;
        const uint32_t b = style == 0 ? second : first;
        const GradientStep d = MakeGradientStep(a, b, static_cast<float>(h));
        bands.reserve(static_cast<std::size_t>(h));
        for (int i = 0; i < h; ++i)
            add(GradientShape::Fill, 0, i, w, i + 1, GradientBandColour(a, d, i));
        break;
    }
    case 2:
    case 3: { // columns, one pixel each
        const uint32_t a = style == 2 ? first : second;
        const uint32_t b = style == 2 ? second : first;
        const GradientStep d = MakeGradientStep(a, b, static_cast<float>(w));
        bands.reserve(static_cast<std::size_t>(w));
        for (int i = 0; i < w; ++i)
            add(GradientShape::Fill, i, 0, i + 1, h, GradientBandColour(a, d, i));
        break;
    }
    case 4:
    case 5: { // nested columns from both side edges
        const int n = (w + 1) / 2;
        const GradientStep d = MakeGradientStep(first, second, static_cast<float>(w * 0.5));
        for (int i = 0; i < n; ++i)
            add(GradientShape::Fill, i, 0, w - i, h, GradientBandColour(first, d, style == 4 ? i : n - i));
        break;
    }
    case 6:
    case 7: { // nested rows from top and bottom
        const int n = (h + 1) / 2;
        const GradientStep d = MakeGradientStep(first, second, static_cast<float>(h * 0.5));
        for (int i = 0; i < n; ++i)
            add(GradientShape::Fill, 0, i, w, h - i, GradientBandColour(first, d, style == 6 ? i : n - i));
        break;
    }
    default: { // 8..11: nested rectangles or ellipses
        const bool wide = w > h;
        const int m = wide ? w : h;
        const int n = wide ? (w + 1) / 2 : h / 2;
        const float ratio =
            wide ? static_cast<float>(h) / static_cast<float>(w) : static_cast<float>(w) / static_cast<float>(h);
        const GradientStep d = MakeGradientStep(first, second, static_cast<float>(m * 0.5));
        const bool fromCentre = style == 8 || style == 10; // t = n - i: second colour at the border
        const bool ellipse = style >= 10;
        if (ellipse)
            add(GradientShape::Fill, 0, 0, w, h, style == 10 ? second : first);
        for (int i = 0; i < n; ++i) {
            const int scaled = static_cast<int>(static_cast<double>(i) * static_cast<double>(ratio));
            const int x = wide ? i : scaled;
            const int y = wide ? scaled : i;
            add(ellipse ? GradientShape::Ellipse : GradientShape::Fill, x, y, w - x, h - y,
                GradientBandColour(first, d, fromCentre ? n - i : i));
        }
        break;
    }
    }
    return bands;
}

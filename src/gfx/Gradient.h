#pragma once
#include <cstdint>
#include <vector>

// The twelve gradient styles of a slide background, as a list of bands to draw one over the other. Each
// band has one colour; the colours follow single-precision channel steps truncated toward zero and wrap in
// 8 bits, so a band can pass the second colour by a step.

constexpr int kGradientStyleCount = 12;

// Per-channel step (red, green, blue) from colour a to colour b over `denominator` bands.
struct GradientStep {
    float red = 0;
    float green = 0;
    float blue = 0;
};
GradientStep MakeGradientStep(uint32_t a, uint32_t b, float denominator);

// COLORREF of band t: a + trunc(t * step) per channel, modulo 256.
uint32_t GradientBandColour(uint32_t a, const GradientStep& step, int t);

enum class GradientShape {
    Fill,    // fill the rectangle
    Ellipse, // ellipse inside the rectangle, outlined with a 2-pixel pen of the same colour
};

struct GradientBand {
    GradientShape shape = GradientShape::Fill;
    int left = 0, top = 0, right = 0, bottom = 0;
    uint32_t colour = 0;
};

// The bands of a style over a target width x height, in drawing order. A style outside 0..11 or an empty
// target gives no bands. The ellipse styles begin with one band filling the whole target.
std::vector<GradientBand> GradientBands(uint32_t first, uint32_t second, int style, int width, int height);

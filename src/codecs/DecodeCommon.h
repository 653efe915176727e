#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// Helpers every decoder shares: the size check that comes before any allocation, and pixel packing.

// True when a width × height image may be allocated: both positive and no more than maxPixels pixels.
inline bool ImageSizeAllowed(int64_t width, int64_t height, uint64_t maxPixels)
{
    if (width <= 0 || height <= 0)
        return false;
    if (static_cast<uint64_t>(width) > maxPixels || static_cast<uint64_t>(height) > maxPixels)
        return false;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= maxPixels;
}

// Sizes the image (black) after the size check; false (image left empty) when the size is refused.
bool AllocateImage(DecodedImage& image, int64_t width, int64_t height, uint64_t maxPixels);

inline uint32_t PackRgb(uint32_t r, uint32_t g, uint32_t b)
{
    return ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

// Transparent parts end up on black, as they do when a transparent image is drawn on a fresh picture.
inline uint32_t PackRgbOverBlack(uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    if (a == 255)
        return PackRgb(r, g, b);
    return PackRgb((r * a + 127) / 255, (g * a + 127) / 255, (b * a + 127) / 255);
}

// Widens an n-bit channel value (1..8 bits) to 8 bits by repeating its bits, so full scale stays full.
inline uint32_t ExpandBits(uint32_t value, int bits)
{
    if (bits <= 0)
        return 0;
    if (bits >= 8)
        return value >> (bits - 8);
    uint32_t result = 0;
    int filled = 0;
    while (filled < 8) {
        result = (result << bits) | value;
        filled += bits;
    }
    return (result >> (filled - 8)) & 0xFF;
}

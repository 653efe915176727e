#pragma once
#include <cstdint>
#include <vector>

// What every image decoder produces: 32-bit pixels, top-down rows, each pixel 0x00RRGGBB as a
// little-endian uint32 (bytes B, G, R, X in memory), the layout of a picture's pixel buffer.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // width * height
    // The picture has transparent parts: each pixel's top byte is its opacity (0-255) and its colour is
    // already multiplied by it, so the picture reads right over black wherever the opacity is ignored.
    bool hasAlpha = false;

    bool Empty() const { return width <= 0 || height <= 0; }
};

// No decoder allocates for an image larger than this many pixels; a header that asks for more is refused.
constexpr uint64_t kMaxImagePixels = 256ull * 1000 * 1000;

#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// The first frame of a GIF through giflib, placed on the logical screen; transparent and uncovered
// pixels are black.
bool DecodeGif(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels = kMaxImagePixels);

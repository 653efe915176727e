#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// SGI image files (.sgi, .rgb, .rgba, .bw): 1 or 2 bytes per channel, grey, grey + alpha, RGB and RGBA,
// verbatim or run-length encoded.
bool IsSgi(const uint8_t* data, size_t size);
bool DecodeSgi(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels = kMaxImagePixels);

#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// Windows bitmaps: a .bmp file (with its 14-byte file header) or a packed DIB (info header first).
// 1, 2, 4, 8, 16, 24 and 32 bits per pixel, RLE4, RLE8 and bit fields, bottom-up and top-down rows.
// Truncated, inconsistent or oversized input fails and leaves the image empty.
bool DecodeBmp(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels = kMaxImagePixels);

#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// Baseline and progressive JPEG (grey, YCbCr, RGB, CMYK and YCCK) through libjpeg. Truncated data fails.
bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels = kMaxImagePixels);

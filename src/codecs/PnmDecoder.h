#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// Netpbm images: PBM, PGM and PPM in their plain (P1-P3) and raw (P4-P6) forms, any maximum value up to
// 65535, samples scaled to 8 bits.
bool IsPnm(const uint8_t* data, size_t size);
bool DecodePnm(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels = kMaxImagePixels);

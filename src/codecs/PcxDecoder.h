#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// ZSoft PCX: 1 bit (monochrome or 4 planes EGA), 2 and 4 bits with the header palette, 8 bits with the
// 256-colour palette at the end, 8 bits × 3 or 4 planes true colour; run-length encoded or raw.
bool IsPcx(const uint8_t* data, size_t size);
bool DecodePcx(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels = kMaxImagePixels);

#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// PNG, JPEG, GIF (first frame), Targa and Photoshop composites through stb_image. The header is read
// first and an image over maxPixels is refused before stb allocates for it.
bool DecodeWithStb(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels = kMaxImagePixels);

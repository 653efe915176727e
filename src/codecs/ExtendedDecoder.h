#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// The built-in decoder for every format outside the system decoder's three: PNG, Targa, Photoshop,
// SGI, Netpbm and PCX, and also BMP, JPEG and GIF data under other names. The format is recognised
// from the bytes; the format code of the name (-1 when unknown or not given) only decides which of
// the weakly marked formats (Targa, PCX) is tried first.
bool DecodeExtended(const uint8_t* data, size_t size, int formatCode, DecodedImage& image,
                    uint64_t maxPixels = kMaxImagePixels);

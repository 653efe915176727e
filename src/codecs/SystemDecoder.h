#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/DecodedImage.h"

// The system picture decoder keeps an image's size in 0.01 mm units, taken from its pixel size at the
// screen's 96 logical dots per inch, and a picture is made at that size converted back with the
// screen's logical DPI (each step rounded to the nearest integer, as MulDiv does).
int SystemDecoderHimetric(int pixels);
int SystemDecoderPixelSize(int himetric, int dpi);

// BMP, JPEG and GIF data, recognised from the bytes as the system decoder does (the name plays no
// part), scaled to the pixel size above when dpi is not 96. Where the platform's own decoder is not
// used (everywhere but Windows) this is the system decoder.
bool DecodeWithSystemDecoder(const uint8_t* data, size_t size, DecodedImage& image, int dpi = 96,
                             uint64_t maxPixels = kMaxImagePixels);

// Scales an image to width × height by nearest pixel (the system decoder renders at its own size).
bool ResizeNearest(DecodedImage& image, int width, int height, uint64_t maxPixels = kMaxImagePixels);

#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/Picture.h"

// JPEG pictures far larger than they are shown are decoded at a reduced scale: the decoder's inverse DCT
// makes n/8 of the size (n from 1 to 8) for a fraction of the work, before the picture is stretched.

// The size in the JPEG header; false when the data is no JPEG or the build has no scaled decoder.
bool ReadScalableJpegSize(const uint8_t* data, size_t size, int& width, int& height);
// Decodes at n/8 of the full size (each side rounded up) straight into the picture's own pixels. False when
// it does not decode; the picture is then empty.
bool DecodeJpegAtScale(const uint8_t* data, size_t size, int eighths, Picture& picture);

// JPEG decodes of pictures of at least this many source pixels, at any scale, are shared between two threads,
// each making a band of rows (sequential JPEGs only; kJpegBandsFrom by default). Tests lower it to reach the
// shared decode on small pictures. Returns the value it replaces.
uint64_t SplitJpegDecodesFrom(uint64_t sourcePixels);
inline constexpr uint64_t kJpegBandsFrom = uint64_t(2) << 20;

// The smallest n/8 at which sourceW × sourceH pixels of the full picture still give at least
// destW × destH pixels, so the stretch afterwards only shrinks; 8 when nothing smaller does.
int JpegScaleFor(int sourceW, int sourceH, int destW, int destH);

#pragma once
#include <cstdint>

#include "gfx/Geometry.h"

class Picture;

// Cross-fades of pixels, byte by byte (blue, green, red and the unused fourth byte alike), with the weight w
// of the second picture in 0..256 (out of 256):
//
//     out = (a * (256 - w) + b * w + 128) >> 8
//
// so w = 0 gives a and w = 256 gives b exactly, and halves round up. Integer arithmetic only: both builds give
// the same bytes. A weight outside 0..256 is clamped.
constexpr int kBlendOne = 256;

// The plain loop, one byte at a time: what the fast one must match, for tests.
void BlendPixelsReference(uint32_t* out, const uint32_t* a, const uint32_t* b, int64_t count, int weight);
// count pixels of a and b into out; out may be a or b. A null a or b stands for black pixels.
void BlendPixels(uint32_t* out, const uint32_t* a, const uint32_t* b, int64_t count, int weight);

// The rectangle r of dest becomes the blend of a's pixels at the same place moved by aOffset and b's moved by
// bOffset (a null picture is black), clipped to all the pictures. Large rectangles are shared with a second
// thread where the machine runs two at once.
void BlendRect(Picture& dest, const Rect& r, const Picture* a, Point aOffset, const Picture* b, Point bOffset,
               int weight);

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The pixel layouts the PNG writer takes: bytes R G B, R G B A, or a picture's B G R X.
enum class PngPixels { Rgb, Rgba, Bgrx };

// Encodes width × height pixels, rows `stride` bytes apart, as PNG (RGB, or RGBA for Rgba) with zlib at
// `level` (0-9; 0 and 1 are fastest, 2 is fast and smaller, higher levels are slower and smaller still).
// False on failure.
bool EncodePng(const uint8_t* pixels, int width, int height, size_t stride, PngPixels layout, int level,
               std::string& out);

#pragma once
#include <cstdint>
#include <string>

// Copies a screen area into a 24-bit Windows bitmap file, replacing an older one. False on any failure,
// in which case no partial file is left.
bool SaveScreenAreaAsBitmap(int32_t left, int32_t top, int32_t width, int32_t height, const std::string& path);

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a picture file says besides its pixels, read and carried over when a picture is prepared.

// The ICC colour profile of JPEG data (its APP2 "ICC_PROFILE" chunks in order); empty when it has none or the
// chunks do not add up.
std::vector<uint8_t> JpegIccProfile(const uint8_t* data, size_t size);
// The ICC profile of WebP data (its ICCP chunk); empty when none.
std::vector<uint8_t> WebpIccProfile(const uint8_t* data, size_t size);
// The zlib stream of a PNG's iCCP chunk (the profile compressed); empty when none.
std::vector<uint8_t> PngCompressedIccProfile(const uint8_t* data, size_t size);

// A re-encoded JPEG given the markers of the original it was made from: EXIF (its orientation now upright),
// XMP, comments and the like follow the new file's own header; the old colour profile does not (the new
// pixels are sRGB), nor does a second JFIF header.
std::string WithMarkersOf(const std::string& original, const std::string& encoded);
// Sets a JPEG's EXIF orientation to upright, where it has one: its pixels have been turned.
void MarkUpright(std::string& jpeg);

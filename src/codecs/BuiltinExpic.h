#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "codecs/ExtendedLibrary.h"
#include "gfx/DecodedImage.h"

// The built-in replacement of the external decoder library, with the same calls: an image handle from
// a file, an image handle from the temporary copy of a stream's bytes, and its release. Handles are
// owned by the caller until freed; null means the image could not be decoded. The size is written
// through the pointers on success only.
DecodedImage* BuiltinLoadImageFromFile(const char* path, int* width, int* height);
DecodedImage* BuiltinLoadImageFromStream(const char* path, int length, int* width, int* height, int formatCode);
void BuiltinFreeImage(DecodedImage* image);

// Largest encoded image read into memory: a raw image at the pixel limit with room for its headers.
constexpr uint64_t kMaxEncodedImageBytes = kMaxImagePixels * 4 + 65536;

// Reads up to limit bytes of a file (the whole file when it is smaller); false when it cannot be read,
// is empty, or is larger than kMaxEncodedImageBytes.
bool ReadImageFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes);
// The same from a stream opened in binary mode (a file opened by a name of another encoding).
bool ReadImageStream(std::istream& in, uint64_t limit, std::vector<uint8_t>& bytes);

// The built-in decoder behind the loaders' two calls, where no library is installed.
ExtendedDecodeResult BuiltinDecodeFile(const std::string& path, DecodedImage& image);
ExtendedDecodeResult BuiltinDecodeBytes(const uint8_t* data, size_t size, int formatCode, DecodedImage& image);

#pragma once
#include <cstdint>
#include <string>

#include "gfx/DecodedImage.h"

// The extended decoder behind its four calls: "Expic.dll" from the system directory, loaded for this one
// image, where it is installed (Windows); otherwise the built-in decoder.
struct ExtendedDecodeResult {
    bool ok = false;
    bool viaLibrary = false; // the installed library did the decoding
};

// A file on disk, by its path (no format code is passed on this path).
ExtendedDecodeResult ExtendedDecodeFile(const std::string& path, DecodedImage& image);
// The temporary copy of a stream: length bytes at tempPath, with the format code of the stream's name.
ExtendedDecodeResult ExtendedDecodeTempFile(const std::string& tempPath, uint32_t length, int formatCode,
                                            DecodedImage& image);

// The name of the temporary copy, in the temp folder; replaced by every load from a stream.
constexpr const char* kImageTempFileName = "imgtemp";

#pragma once
#include <cstddef>
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
// A stream's bytes, with the format code of the stream's name. The library reads streams from a file: each
// decode gets a file of its own in the temp folder, made by the system, and removes it again, so that two
// shows decoding at once never read each other's pictures. Without the library, decoded from memory.
ExtendedDecodeResult ExtendedDecodeBytes(const uint8_t* data, size_t size, int formatCode, DecodedImage& image);

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class Picture;
class MemoryFile;

// Loading pictures: the decoder is chosen by the name's extension. The picture is the only output; a load
// that fails leaves it as it was.

// Decodes the stream's bytes; the name is used only for its extension. Returns 1 on success.
int LoadFromStream(Picture& picture, MemoryFile& stream, const std::string& name);
// Decodes a file. Returns 1 on success.
int LoadFromFile(Picture& picture, const std::string& path);
// The system-decoder path (BMP, JPEG, GIF) over bytes in memory. Returns 1 on success; data the decoder
// rejects returns 0.
int LoadFromIStream(Picture& picture, const uint8_t* data, size_t size);

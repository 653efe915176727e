#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What kind of picture data a file holds, told from its first bytes: "JPEG", "PNG", "GIF", "BMP",
// "TIFF", "WebP", "HEIF", ... or "" when none is recognised.
std::string PictureKind(const uint8_t* data, size_t size);
// Whether the runtime has no decoder for that kind, so the picture must be converted to be shown.
bool NeedsConversion(const std::string& kind);

// Decodes the picture as the runtime will, choosing the decoder by the stored name's extension. Returns
// "" when it shows, otherwise the reason it will not, in words for the author.
std::string CheckPicture(const std::string& path, const std::string& storedName);

// What to do about pictures of kinds ("WebP and HEIF") that nothing on this machine reads, in words.
std::string UnreadableFormatsAdvice(const std::string& kinds);

#include "codecs/ExtendedDecoder.h"

#include <cstring>

#include "codecs/BmpDecoder.h"
#include "codecs/ImageFormat.h"
#include "codecs/PcxDecoder.h"
#include "codecs/PnmDecoder.h"
#include "codecs/SgiDecoder.h"
#include "codecs/StbDecoder.h"

namespace {

bool StartsWith(const uint8_t* data, size_t size, const char* magic)
{
    size_t n = std::strlen(magic);
    return size >= n && std::memcmp(data, magic, n) == 0;
}

} // namespace

bool DecodeExtended(const uint8_t* data, size_t size, int formatCode, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!data || size == 0)
        return false;
    // Formats with a firm signature decide alone.
    if (StartsWith(data, size, "\x89PNG") || StartsWith(data, size, "8BPS") || StartsWith(data, size, "GIF8") ||
        StartsWith(data, size, "\xFF\xD8\xFF"))
        return DecodeWithStb(data, size, image, maxPixels);
    if (IsSgi(data, size))
        return DecodeSgi(data, size, image, maxPixels);
    if (IsPnm(data, size))
        return DecodePnm(data, size, image, maxPixels);
    if (StartsWith(data, size, "BM"))
        return DecodeBmp(data, size, image, maxPixels);
    // Targa has no signature and PCX a weak one: the name's format goes first.
    if (formatCode == kFormatTga && DecodeWithStb(data, size, image, maxPixels))
        return true;
    if (IsPcx(data, size) && DecodePcx(data, size, image, maxPixels))
        return true;
    return formatCode != kFormatTga && DecodeWithStb(data, size, image, maxPixels);
}

#include "codecs/SystemDecoder.h"

#include <cstring>

#include "codecs/BmpDecoder.h"
#include "codecs/GifDecoder.h"
#include "codecs/JpegDecoder.h"

bool DecodeWithSystemDecoder(const uint8_t* data, size_t size, DecodedImage& image, int dpi, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!data || size < 4)
        return false;
    bool ok = false;
    if (data[0] == 'B' && data[1] == 'M')
        ok = DecodeBmp(data, size, image, maxPixels);
    else if (data[0] == 0xFF && data[1] == 0xD8)
        ok = DecodeJpeg(data, size, image, maxPixels);
    else if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        ok = DecodeGif(data, size, image, maxPixels);
    if (!ok)
        return false;
    int width = SystemDecoderPixelSize(SystemDecoderHimetric(image.width), dpi);
    int height = SystemDecoderPixelSize(SystemDecoderHimetric(image.height), dpi);
    if (!ResizeNearest(image, width, height, maxPixels)) {
        image = DecodedImage{};
        return false;
    }
    return true;
}

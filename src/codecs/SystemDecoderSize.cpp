#include "codecs/SystemDecoder.h"

#include <utility>

#include "base/MulDiv.h"
#include "codecs/DecodeCommon.h"

int SystemDecoderHimetric(int pixels)
{
    return MulDivRound(pixels, 2540, 96);
}

int SystemDecoderPixelSize(int himetric, int dpi)
{
    return MulDivRound(himetric, dpi, 2540);
}

bool ResizeNearest(DecodedImage& image, int width, int height, uint64_t maxPixels)
{
    if (image.width == width && image.height == height)
        return true;
    DecodedImage scaled;
    if (image.Empty() || !AllocateImage(scaled, width, height, maxPixels))
        return false;
    for (int y = 0; y < height; ++y) {
        int sy = static_cast<int>(int64_t(y) * image.height / height);
        for (int x = 0; x < width; ++x) {
            int sx = static_cast<int>(int64_t(x) * image.width / width);
            scaled.pixels[size_t(y) * width + x] = image.pixels[size_t(sy) * image.width + sx];
        }
    }
    image = std::move(scaled);
    return true;
}

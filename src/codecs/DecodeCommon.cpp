#include "codecs/DecodeCommon.h"

#include <new>

bool AllocateImage(DecodedImage& image, int64_t width, int64_t height, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!ImageSizeAllowed(width, height, maxPixels))
        return false;
    try {
        image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    } catch (const std::bad_alloc&) {
        image.pixels.clear();
        return false;
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    return true;
}

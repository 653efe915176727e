#include "image/decode/StbDecoder.h"

#include <climits>

#include "image/decode/DecodeCommon.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_TGA
#define STBI_ONLY_PSD
#include <stb/stb_image.h>

bool DecodeWithStb(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!data || size == 0 || size > static_cast<size_t>(INT_MAX))
        return false;
    const auto* bytes = static_cast<const stbi_uc*>(data);
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels))
        return false;
    if (!ImageSizeAllowed(width, height, maxPixels))
        return false;
    stbi_uc* rgba = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
    if (!rgba)
        return false;
    bool ok = AllocateImage(image, width, height, maxPixels);
    if (ok) {
        const stbi_uc* p = rgba;
        for (auto& px : image.pixels) {
            px = PackRgbOverBlack(p[0], p[1], p[2], p[3]);
            p += 4;
        }
    }
    stbi_image_free(rgba);
    return ok;
}

#include "image/decode/StbDecoder.h"

#include <climits>
#include <cstring>

#include "image/decode/DecodeCommon.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_TGA
#define STBI_ONLY_PSD
#include <stb/stb_image.h>

namespace {

// stb reads past the end of its data as zeros and decodes on; reading through callbacks shows when it
// wanted more than there was, which is a truncated file.
struct CallbackSource {
    const uint8_t* data;
    size_t size;
    size_t pos;
    bool ranOut;
};

// Buffer refills always ask for this many bytes; other requests come from bulk reads that need them all.
constexpr int kStbRefillBytes = 128;

int ReadCallback(void* user, char* out, int count)
{
    auto* src = static_cast<CallbackSource*>(user);
    size_t n = src->size - src->pos;
    if (count <= 0)
        return 0;
    if (n > static_cast<size_t>(count))
        n = static_cast<size_t>(count);
    std::memcpy(out, src->data + src->pos, n);
    src->pos += n;
    if (n == 0 || (n < static_cast<size_t>(count) && count != kStbRefillBytes))
        src->ranOut = true;
    return static_cast<int>(n);
}

void SkipCallback(void* user, int count)
{
    auto* src = static_cast<CallbackSource*>(user);
    if (count < 0) {
        size_t back = static_cast<size_t>(-static_cast<int64_t>(count));
        src->pos = back > src->pos ? 0 : src->pos - back;
        return;
    }
    if (static_cast<size_t>(count) > src->size - src->pos) {
        src->pos = src->size;
        src->ranOut = true;
        return;
    }
    src->pos += static_cast<size_t>(count);
}

int EofCallback(void* user)
{
    auto* src = static_cast<CallbackSource*>(user);
    return src->pos >= src->size;
}

} // namespace

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
    CallbackSource source{data, size, 0, false};
    const stbi_io_callbacks callbacks{ReadCallback, SkipCallback, EofCallback};
    stbi_uc* rgba = stbi_load_from_callbacks(&callbacks, &source, &width, &height, &channels, 4);
    if (!rgba)
        return false;
    bool ok = !source.ranOut && AllocateImage(image, width, height, maxPixels);
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

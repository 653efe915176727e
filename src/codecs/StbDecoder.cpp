#include "codecs/StbDecoder.h"
#include "base/ByteOrder.h"

#include <climits>
#include <cstring>

#include "codecs/DecodeCommon.h"

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

// stb copies an empty first IDAT chunk from a null buffer; such a file is refused instead.
bool PngStartsWithEmptyData(const uint8_t* data, size_t size)
{
    if (size < 8 || std::memcmp(data, "\x89PNG", 4) != 0)
        return false;
    size_t pos = 8;
    while (size - pos >= 8) {
        const uint8_t* p = data + pos;
        uint32_t length = ReadBE32(p);
        if (std::memcmp(p + 4, "IDAT", 4) == 0)
            return length == 0;
        if (length > size - pos - 8 || size - pos - 8 - length < 4)
            return false;
        pos += 12 + size_t(length);
    }
    return false;
}

// stb builds each Huffman table of a JPEG without checking that its code counts add up to at most 256
// symbols, and writes past the table when they do; every table in the file is checked first.
bool JpegHasOversizedHuffmanTable(const uint8_t* data, size_t size)
{
    // stb takes fill bytes before the start-of-image marker too.
    size_t pos = 0;
    while (pos < size && data[pos] == 0xFF)
        ++pos;
    if (pos == 0 || pos >= size || data[pos] != 0xD8)
        return false;
    ++pos;
    while (size - pos >= 4) {
        if (data[pos] != 0xFF) {
            ++pos; // entropy-coded data
            continue;
        }
        uint8_t marker = data[pos + 1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) {
            pos += 2; // stuffed byte, restart markers, start and end of image carry no length
            continue;
        }
        size_t length = size_t(data[pos + 2]) << 8 | data[pos + 3];
        if (length < 2)
            return false;
        if (marker == 0xC4) {
            // Walked as stb walks it: tables follow one another while the segment's count lasts, even
            // past its end; bytes beyond the file read as zero.
            auto at = [&](size_t i) -> size_t { return i < size ? data[i] : 0; };
            int64_t left = int64_t(length) - 2;
            size_t p = pos + 4;
            while (left > 0 && p < size) {
                size_t symbols = 0;
                for (int i = 1; i <= 16; ++i)
                    symbols += at(p + i);
                if (symbols > 256)
                    return true;
                p += 17 + symbols;
                left -= int64_t(17 + symbols);
            }
        }
        if (length > size - pos - 2)
            return false; // the segment runs past the end: stb fails on it anyway
        pos += 2 + length;
    }
    return false;
}

} // namespace

bool DecodeWithStb(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!data || size == 0 || size > static_cast<size_t>(INT_MAX))
        return false;
    const auto* bytes = static_cast<const stbi_uc*>(data);
    const int length = static_cast<int>(size);
    // Inputs that stb would mishandle are refused before it reads even the header.
    if (PngStartsWithEmptyData(data, size) || JpegHasOversizedHuffmanTable(data, size))
        return false;
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
            image.hasAlpha = image.hasAlpha || p[3] != 255;
            p += 4;
        }
        // Opaque pictures keep their top bytes zero; others carry their opacity there.
        if (image.hasAlpha) {
            for (size_t i = 0; i < image.pixels.size(); ++i)
                image.pixels[i] |= static_cast<uint32_t>(rgba[4 * i + 3]) << 24;
        }
    }
    stbi_image_free(rgba);
    return ok;
}

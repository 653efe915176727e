#include "codecs/posix/PngEncoder.h"

#include <libdeflate.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

void PutBE32(std::string& out, uint32_t v)
{
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    out.append(bytes, 4);
}

void PutChunk(std::string& out, const char type[4], const uint8_t* data, size_t size)
{
    PutBE32(out, static_cast<uint32_t>(size));
    const size_t start = out.size();
    out.append(type, 4);
    if (size)
        out.append(reinterpret_cast<const char*>(data), size);
    const auto* typed = reinterpret_cast<const uint8_t*>(out.data() + start);
    PutBE32(out, libdeflate_crc32(0, typed, size + 4));
}

uint8_t Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p;
    const int pb = p > b ? p - b : b - p;
    const int pc = p > c ? p - c : c - p;
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

} // namespace

bool EncodePng(const uint8_t* pixels, int width, int height, size_t stride, PngPixels layout, int level,
               std::string& out)
{
    out.clear();
    if (!pixels || width <= 0 || height <= 0 || width > (1 << 24) || height > (1 << 24))
        return false;
    const int channels = layout == PngPixels::Rgba ? 4 : 3;
    const size_t rowBytes = static_cast<size_t>(width) * channels;
    // The "up" filter alone is cheap and suits slides, whose rows mostly repeat the row above; slower levels
    // take Paeth, which also follows smooth pictures along the row.
    const uint8_t filter = level <= 3 ? 2 : 4;
    std::vector<uint8_t> raw((rowBytes + 1) * static_cast<size_t>(height));
    std::vector<uint8_t> row(rowBytes), above(rowBytes, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = pixels + static_cast<size_t>(y) * stride;
        if (layout == PngPixels::Bgrx) {
            for (int x = 0; x < width; ++x) {
                row[3 * x] = source[4 * x + 2];
                row[3 * x + 1] = source[4 * x + 1];
                row[3 * x + 2] = source[4 * x];
            }
        } else {
            std::memcpy(row.data(), source, rowBytes);
        }
        uint8_t* target = raw.data() + static_cast<size_t>(y) * (rowBytes + 1);
        target[0] = filter;
        if (filter == 2) {
            for (size_t i = 0; i < rowBytes; ++i)
                target[1 + i] = static_cast<uint8_t>(row[i] - above[i]);
        } else {
            for (size_t i = 0; i < rowBytes; ++i) {
                const int left = i >= static_cast<size_t>(channels) ? row[i - channels] : 0;
                const int upLeft = i >= static_cast<size_t>(channels) ? above[i - channels] : 0;
                target[1 + i] = static_cast<uint8_t>(row[i] - Paeth(left, above[i], upLeft));
            }
        }
        row.swap(above);
    }

    const int deflateLevel = level < 1 ? 1 : level > 12 ? 12 : level;
    std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(deflateLevel), &libdeflate_free_compressor);
    if (!compressor)
        return false;
    std::vector<uint8_t> idat(libdeflate_zlib_compress_bound(compressor.get(), raw.size()));
    const size_t packed = libdeflate_zlib_compress(compressor.get(), raw.data(), raw.size(), idat.data(), idat.size());
    if (packed == 0)
        return false;

    uint8_t header[13] = {};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> (24 - 8 * i));
        header[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (24 - 8 * i));
    }
    header[8] = 8;                     // bits per sample
    header[9] = channels == 4 ? 6 : 2; // RGBA or RGB
    out.reserve(packed + 64);
    out.append("\x89PNG\r\n\x1a\n", 8);
    PutChunk(out, "IHDR", header, sizeof header);
    PutChunk(out, "IDAT", idat.data(), packed);
    PutChunk(out, "IEND", nullptr, 0);
    return true;
}

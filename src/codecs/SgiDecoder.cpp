#include "codecs/SgiDecoder.h"

#include <vector>

#include "base/ByteReader.h"
#include "codecs/DecodeCommon.h"

namespace {

constexpr size_t kHeaderSize = 512;

// Expands one run-length encoded row of 'width' values into 'out'. False when the row is malformed.
bool ExpandRow(const uint8_t* data, size_t size, uint32_t offset, uint32_t length, int bpc, size_t width, uint16_t* out)
{
    if (offset < kHeaderSize || offset > size || length > size - offset)
        return false;
    ByteReader r(data + offset, length);
    auto value = [&]() -> uint16_t { return bpc == 1 ? r.U8() : r.U16BE(); };
    size_t x = 0;
    while (true) {
        uint16_t code = value();
        if (r.Failed())
            return false;
        size_t count = code & 0x7F;
        if (count == 0)
            break;
        if (count > width - x)
            return false;
        if (code & 0x80) {
            for (size_t i = 0; i < count; ++i)
                out[x++] = value();
        } else {
            uint16_t v = value();
            for (size_t i = 0; i < count; ++i)
                out[x++] = v;
        }
        if (r.Failed())
            return false;
    }
    return x == width;
}

} // namespace

bool IsSgi(const uint8_t* data, size_t size)
{
    return data && size >= kHeaderSize && data[0] == 0x01 && data[1] == 0xDA;
}

bool DecodeSgi(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!IsSgi(data, size))
        return false;
    ByteReader r(data, size);
    r.Skip(2);
    int storage = r.U8();
    int bpc = r.U8();
    int dimension = r.U16BE();
    int64_t width = r.U16BE();
    int64_t height = r.U16BE();
    int channels = r.U16BE();
    r.Skip(4 + 4 + 4 + 80); // pixmin, pixmax, dummy, name
    uint32_t colormap = r.U32BE();
    if (r.Failed() || storage > 1 || (bpc != 1 && bpc != 2) || dimension < 1 || dimension > 3 || colormap != 0)
        return false;
    if (dimension == 1)
        height = 1;
    if (dimension < 3)
        channels = 1;
    if (channels < 1)
        return false;
    if (!ImageSizeAllowed(width, height, maxPixels))
        return false;
    const int used = channels > 4 ? 4 : channels;
    const uint64_t rows = uint64_t(height) * channels;

    // The data must be there before anything of image size is allocated.
    std::vector<uint32_t> starts, lengths;
    if (storage == 0) {
        if (uint64_t(width) * rows * bpc > size - kHeaderSize)
            return false;
    } else {
        if (rows * 8 > size - kHeaderSize)
            return false;
        r.Seek(kHeaderSize);
        starts.resize(rows);
        lengths.resize(rows);
        for (auto& s : starts)
            s = r.U32BE();
        for (auto& l : lengths)
            l = r.U32BE();
        // Each row holds at least its terminating code; a row of encoded data covers at most 127 values
        // per code, so the sum of row lengths bounds the pixel count.
        uint64_t encoded = 0;
        for (int64_t i = 0; i < height * used; ++i)
            encoded += lengths[i];
        if (encoded * 127 < uint64_t(width) * height * used)
            return false;
    }

    if (!AllocateImage(image, width, height, maxPixels))
        return false;
    // Channels are gathered into the pixels one row at a time (alpha in the top byte for now); rows are
    // stored bottom-up and two-byte channels keep their high byte.
    const int shift = bpc == 2 ? 8 : 0;
    static const int kPlaced[4] = {16, 8, 0, 24};
    std::vector<uint16_t> row(static_cast<size_t>(width));
    for (int c = 0; c < used; ++c) {
        for (int64_t line = 0; line < height; ++line) {
            size_t index = size_t(c) * size_t(height) + size_t(line);
            if (storage == 0) {
                const uint8_t* p = data + kHeaderSize + index * size_t(width) * bpc;
                for (int64_t x = 0; x < width; ++x)
                    row[x] = bpc == 1 ? p[x] : uint16_t(p[2 * x] << 8 | p[2 * x + 1]);
            } else if (!ExpandRow(data, size, starts[index], lengths[index], bpc, size_t(width), row.data())) {
                image = DecodedImage{};
                return false;
            }
            uint32_t* dst = image.pixels.data() + size_t(height - 1 - line) * size_t(width);
            const bool grey = used <= 2;
            const int place = grey ? (c == 0 ? -1 : 24) : kPlaced[c];
            for (int64_t x = 0; x < width; ++x) {
                uint32_t v = (row[x] >> shift) & 0xFF;
                dst[x] |= place < 0 ? PackRgb(v, v, v) : v << place;
            }
        }
    }
    // Like every other decoder's transparent pictures: colour multiplied by the opacity, which stays in the
    // top byte so the slide blends the picture over its background. An opaque one keeps its top bytes zero.
    if (used == 2 || used == 4) {
        for (const uint32_t px : image.pixels)
            image.hasAlpha = image.hasAlpha || (px >> 24) != 255;
        for (auto& px : image.pixels) {
            const uint32_t alpha = px >> 24;
            px = PackRgbOverBlack((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF, alpha) |
                (image.hasAlpha ? alpha << 24 : 0);
        }
    }
    return true;
}

#include "codecs/BmpDecoder.h"
#include "base/ByteOrder.h"

#include <bit>
#include <vector>

#include "base/ByteReader.h"
#include "codecs/DecodeCommon.h"

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr size_t kFileHeaderSize = 14;

struct BmpHeader {
    int64_t width = 0;
    int64_t height = 0; // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t masks[3] = {0, 0, 0};
    std::vector<uint32_t> palette;
    size_t dataOffset = 0;
};

// One colour channel of a bit-field pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m) : mask(m)
    {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        bits = 32 - std::countl_zero(mask >> shift);
    }
    uint32_t Extract(uint32_t v) const { return mask ? ExpandBits((v & mask) >> shift, bits) : 0; }
};

bool ReadHeader(const uint8_t* data, size_t size, BmpHeader& h)
{
    ByteReader r(data, size);
    size_t infoStart = 0;
    bool fileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    uint32_t offBits = 0;
    if (fileHeader) {
        r.Skip(10);
        offBits = r.U32LE();
        infoStart = kFileHeaderSize;
    }
    uint32_t headerSize = r.U32LE();
    if (r.Failed())
        return false;

    bool core = headerSize == 12;
    if (!core && headerSize != 16 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        return false;
    if (headerSize > r.Remaining() + 4)
        return false;

    uint32_t colorsUsed = 0;
    if (core) {
        h.width = r.U16LE();
        h.height = r.U16LE();
        r.U16LE(); // planes
        h.bitCount = r.U16LE();
    } else {
        h.width = r.I32LE();
        int32_t height = r.I32LE();
        r.U16LE(); // planes
        h.bitCount = r.U16LE();
        if (headerSize >= 20)
            h.compression = r.U32LE();
        if (headerSize >= 36) {
            r.Skip(12); // image size, resolutions
            colorsUsed = r.U32LE();
        }
        if (height == INT32_MIN)
            return false;
        h.topDown = height < 0;
        h.height = height < 0 ? -static_cast<int64_t>(height) : height;
    }
    if (r.Failed())
        return false;

    // OS/2 2.x headers give 3 and 4 other meanings (Huffman, RLE24) that no Windows decoder reads.
    if (headerSize == 64 && h.compression != kRgb && h.compression != kRle8 && h.compression != kRle4)
        return false;
    switch (h.compression) {
    case kRgb:
        if (h.bitCount != 1 && h.bitCount != 2 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
            h.bitCount != 24 && h.bitCount != 32)
            return false;
        break;
    case kRle8:
        if (h.bitCount != 8 || h.topDown)
            return false;
        break;
    case kRle4:
        if (h.bitCount != 4 || h.topDown)
            return false;
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (h.bitCount != 16 && h.bitCount != 32)
            return false;
        break;
    default: return false;
    }
    if (h.width <= 0 || h.height <= 0)
        return false;

    size_t afterHeader = infoStart + headerSize;
    r.Seek(afterHeader);
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        if (headerSize >= 52) {
            ByteReader m(data, size);
            m.Seek(infoStart + 40);
            for (auto& mask : h.masks)
                mask = m.U32LE();
        } else {
            for (auto& mask : h.masks)
                mask = r.U32LE();
            if (h.compression == kAlphaBitFields)
                r.U32LE();
        }
    } else if (h.bitCount == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (h.bitCount == 32) {
        h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
    }
    if (r.Failed())
        return false;

    size_t paletteStart = r.Pos();
    size_t entrySize = core ? 3 : 4;
    size_t paletteLimit = size;
    if (fileHeader) {
        if (offBits < paletteStart || offBits > size)
            return false;
        paletteLimit = offBits;
    }
    if (h.bitCount <= 8) {
        uint32_t maxColors = 1u << h.bitCount;
        uint32_t count = (colorsUsed == 0 || colorsUsed > maxColors) ? maxColors : colorsUsed;
        h.palette.assign(maxColors, 0);
        for (uint32_t i = 0; i < count && r.Pos() + entrySize <= paletteLimit; ++i) {
            uint32_t b = r.U8(), g = r.U8(), red = r.U8();
            if (!core)
                r.U8();
            h.palette[i] = PackRgb(red, g, b);
        }
        if (!fileHeader)
            paletteLimit = paletteStart + static_cast<size_t>(count) * entrySize;
    } else if (!fileHeader) {
        // Packed DIBs may carry an optimisation palette before true-colour pixels.
        uint64_t end = uint64_t(paletteStart) + uint64_t(colorsUsed) * entrySize;
        if (end > size)
            return false;
        paletteLimit = static_cast<size_t>(end);
    }
    if (paletteLimit > size)
        return false;
    h.dataOffset = paletteLimit;
    return true;
}

uint32_t PaletteColour(const BmpHeader& h, uint32_t index)
{
    return index < h.palette.size() ? h.palette[index] : 0;
}

bool DecodeUncompressed(const uint8_t* data, size_t size, const BmpHeader& h, DecodedImage& image)
{
    uint64_t stride = (static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(h.height) > size - h.dataOffset)
        return false;
    Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const int width = image.width;
    for (int64_t row = 0; row < h.height; ++row) {
        const uint8_t* src = data + h.dataOffset + row * stride;
        int64_t y = h.topDown ? row : h.height - 1 - row;
        uint32_t* dst = image.pixels.data() + y * width;
        switch (h.bitCount) {
        case 1:
        case 2:
        case 4:
        case 8: {
            const int bits = h.bitCount;
            const int perByte = 8 / bits;
            const uint32_t mask = (1u << bits) - 1;
            for (int x = 0; x < width; ++x) {
                int shift = 8 - bits * (x % perByte + 1);
                dst[x] = PaletteColour(h, (src[x / perByte] >> shift) & mask);
            }
            break;
        }
        case 16:
            for (int x = 0; x < width; ++x) {
                uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
                dst[x] = PackRgb(red.Extract(v), green.Extract(v), blue.Extract(v));
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x)
                dst[x] = PackRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        case 32:
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = src + 4 * x;
                uint32_t v = ReadLE32(p);
                dst[x] = PackRgb(red.Extract(v), green.Extract(v), blue.Extract(v));
            }
            break;
        }
    }
    return true;
}

// Run-length encoded rows, always bottom-up. Pixels that the data skips (deltas, early line ends)
// stay black; runs beyond the right edge are clipped.
bool DecodeRle(const uint8_t* data, size_t size, const BmpHeader& h, DecodedImage& image)
{
    ByteReader r(data + h.dataOffset, size - h.dataOffset);
    const bool four = h.compression == kRle4;
    const int64_t width = image.width;
    int64_t x = 0, line = 0;
    auto put = [&](uint32_t index) {
        if (x < width && line < h.height)
            image.pixels[(h.height - 1 - line) * width + x] = PaletteColour(h, index);
        ++x;
    };
    while (line < h.height) {
        if (r.Remaining() < 2)
            return false;
        uint8_t count = r.U8();
        uint8_t value = r.U8();
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++line;
            break;
        case 1: // end of bitmap
            return true;
        case 2: { // delta
            if (r.Remaining() < 2)
                return false;
            x += r.U8();
            line += r.U8();
            break;
        }
        default: { // absolute run of 'value' pixels, padded to a 16-bit boundary
            size_t bytes = four ? (value + 1u) / 2 : value;
            if (r.Remaining() < bytes)
                return false;
            const uint8_t* run = r.Data() + r.Pos();
            for (int i = 0; i < value; ++i)
                put(four ? ((i & 1) ? run[i / 2] & 0x0F : run[i / 2] >> 4) : run[i]);
            r.Skip(bytes);
            if (bytes & 1)
                r.Skip(1);
            break;
        }
        }
    }
    return true;
}

} // namespace

bool DecodeBmp(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    BmpHeader h;
    if (!data || !ReadHeader(data, size, h))
        return false;
    if (!ImageSizeAllowed(h.width, h.height, maxPixels))
        return false;
    // Uncompressed data must be all there before the image is allocated.
    if (h.compression != kRle4 && h.compression != kRle8) {
        uint64_t stride = (static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32 * 4;
        if (stride * static_cast<uint64_t>(h.height) > size - h.dataOffset)
            return false;
    } else if (size - h.dataOffset < 2) {
        return false;
    }
    if (!AllocateImage(image, h.width, h.height, maxPixels))
        return false;
    bool ok = (h.compression == kRle4 || h.compression == kRle8) ? DecodeRle(data, size, h, image)
                                                                 : DecodeUncompressed(data, size, h, image);
    if (!ok)
        image = DecodedImage{};
    return ok;
}

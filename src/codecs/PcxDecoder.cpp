#include "codecs/PcxDecoder.h"

#include <vector>

#include "base/ByteReader.h"
#include "codecs/DecodeCommon.h"

namespace {

constexpr size_t kHeaderSize = 128;

struct PcxHeader {
    int encoding = 0;
    int bitsPerPixel = 0;
    int64_t width = 0, height = 0;
    int planes = 0;
    int bytesPerLine = 0;
    uint32_t egaPalette[16] = {};
};

bool ReadHeader(const uint8_t* data, size_t size, PcxHeader& h)
{
    if (!IsPcx(data, size))
        return false;
    ByteReader r(data, size);
    r.Skip(2);
    h.encoding = r.U8();
    h.bitsPerPixel = r.U8();
    int xmin = r.U16LE(), ymin = r.U16LE(), xmax = r.U16LE(), ymax = r.U16LE();
    r.Skip(4); // resolution
    for (auto& c : h.egaPalette) {
        uint32_t red = r.U8(), g = r.U8(), b = r.U8();
        c = PackRgb(red, g, b);
    }
    r.Skip(1);
    h.planes = r.U8();
    h.bytesPerLine = r.U16LE();
    if (r.Failed() || xmax < xmin || ymax < ymin)
        return false;
    h.width = int64_t(xmax) - xmin + 1;
    h.height = int64_t(ymax) - ymin + 1;
    int bpp = h.bitsPerPixel, planes = h.planes;
    bool known = (bpp == 1 && (planes == 1 || planes == 2 || planes == 3 || planes == 4)) ||
        ((bpp == 2 || bpp == 4) && planes == 1) || (bpp == 8 && (planes == 1 || planes == 3 || planes == 4));
    if (!known)
        return false;
    // Each plane's line must hold the whole width, and may be padded only a little beyond it, so that
    // the line buffer stays proportional to the image.
    const int64_t needed = (h.width * bpp + 7) / 8;
    return h.bytesPerLine >= needed && h.bytesPerLine <= needed + 64;
}

} // namespace

bool IsPcx(const uint8_t* data, size_t size)
{
    return data && size >= kHeaderSize && data[0] == 0x0A && data[1] <= 5 && (data[2] == 0 || data[2] == 1) &&
        (data[3] == 1 || data[3] == 2 || data[3] == 4 || data[3] == 8);
}

bool DecodePcx(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    PcxHeader h;
    if (!ReadHeader(data, size, h) || !ImageSizeAllowed(h.width, h.height, maxPixels))
        return false;

    const size_t lineBytes = size_t(h.bytesPerLine) * h.planes;
    const uint64_t total = uint64_t(lineBytes) * uint64_t(h.height);
    // Every encoded byte yields at most 63 bytes, so the data bounds the scanline buffer.
    const uint64_t available = size - kHeaderSize;
    if (h.encoding == 0 ? total > available : total > available * 63)
        return false;

    std::vector<uint8_t> lines(static_cast<size_t>(total));
    ByteReader r(data + kHeaderSize, size - kHeaderSize);
    if (h.encoding == 0) {
        for (auto& b : lines)
            b = r.U8();
    } else {
        size_t out = 0;
        while (out < lines.size()) {
            if (r.Remaining() == 0)
                return false;
            uint8_t b = r.U8();
            size_t count = 1;
            if ((b & 0xC0) == 0xC0) {
                count = b & 0x3F;
                if (r.Remaining() == 0)
                    return false;
                b = r.U8();
            }
            // Runs may cross line ends; the excess of the last one is dropped.
            for (; count > 0 && out < lines.size(); --count)
                lines[out++] = b;
        }
    }
    size_t dataEnd = kHeaderSize + r.Pos();

    uint32_t palette[256] = {};
    if (h.bitsPerPixel == 8 && h.planes == 1) {
        // The 256-colour table is the last 769 bytes: a 12 marker and 768 bytes of RGB.
        if (size < 769 || size - 769 < dataEnd || data[size - 769] != 0x0C)
            return false;
        const uint8_t* p = data + size - 768;
        for (int i = 0; i < 256; ++i)
            palette[i] = PackRgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    } else if (h.bitsPerPixel == 1 && h.planes == 1) {
        // Monochrome files often leave the header palette empty: then it is black on white.
        bool empty = h.egaPalette[0] == 0 && h.egaPalette[1] == 0;
        palette[0] = empty ? 0 : h.egaPalette[0];
        palette[1] = empty ? 0xFFFFFF : h.egaPalette[1];
    } else {
        for (int i = 0; i < 16; ++i)
            palette[i] = h.egaPalette[i];
    }

    if (!AllocateImage(image, h.width, h.height, maxPixels))
        return false;
    const int width = image.width;
    const int bpl = h.bytesPerLine;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* line = lines.data() + size_t(y) * lineBytes;
        uint32_t* dst = image.pixels.data() + size_t(y) * width;
        if (h.bitsPerPixel == 8 && h.planes >= 3) {
            for (int x = 0; x < width; ++x)
                dst[x] = PackRgb(line[x], line[bpl + x], line[2 * bpl + x]);
        } else if (h.bitsPerPixel == 8) {
            for (int x = 0; x < width; ++x)
                dst[x] = palette[line[x]];
        } else if (h.bitsPerPixel == 1) {
            // Bit planes: plane p contributes bit p of the colour index.
            for (int x = 0; x < width; ++x) {
                uint32_t index = 0;
                for (int p = 0; p < h.planes; ++p)
                    index |= ((line[p * bpl + x / 8] >> (7 - x % 8)) & 1u) << p;
                dst[x] = palette[index];
            }
        } else {
            const int bits = h.bitsPerPixel, perByte = 8 / bits, mask = (1 << bits) - 1;
            for (int x = 0; x < width; ++x)
                dst[x] = palette[(line[x / perByte] >> (8 - bits * (x % perByte + 1))) & mask];
        }
    }
    return true;
}

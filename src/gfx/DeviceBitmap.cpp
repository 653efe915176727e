#include "gfx/DeviceBitmap.h"

#include <new>

#include "gfx/Picture.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Nearest palette entry by squared distance, remembered per 5-5-5 colour cell since a snapshot has
// millions of pixels but few distinct colours.
class PaletteMatcher {
public:
    explicit PaletteMatcher(const std::array<uint32_t, 256>& palette) : palette_(palette), cache_(32768, -1) { }

    uint8_t Index(uint32_t rgb)
    {
        uint32_t key = ((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x03E0) | ((rgb >> 3) & 0x001F);
        int& cached = cache_[key];
        if (cached >= 0 && palette_[cached] == (rgb & 0xFFFFFF))
            return static_cast<uint8_t>(cached);
        int best = 0;
        int64_t bestDistance = INT64_MAX;
        for (int i = 0; i < 256; ++i) {
            int dr = int((rgb >> 16) & 0xFF) - int((palette_[i] >> 16) & 0xFF);
            int dg = int((rgb >> 8) & 0xFF) - int((palette_[i] >> 8) & 0xFF);
            int db = int(rgb & 0xFF) - int(palette_[i] & 0xFF);
            int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        cached = best;
        return static_cast<uint8_t>(best);
    }

private:
    const std::array<uint32_t, 256>& palette_;
    std::vector<int> cache_;
};

} // namespace

int DdbStride(int width, int bitsPerPixel)
{
    return static_cast<int>((int64_t(width) * bitsPerPixel + 15) / 16 * 2);
}

int BitmapFileRowSize(int width, int outputBits)
{
    int64_t bytes = outputBits == 8 ? width : int64_t(width) * 3;
    return static_cast<int>((bytes * 8 + 31) / 32 * 4);
}

std::vector<uint8_t> ToDisplayBits(const Picture& picture, int bitsPerPixel, const std::array<uint32_t, 256>& palette)
{
    std::vector<uint8_t> bits;
    if (!picture.IsLoaded() || (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32))
        return bits;
    const int width = picture.Width(), height = picture.Height();
    const size_t stride = static_cast<size_t>(DdbStride(width, bitsPerPixel));
    try {
        bits.assign(stride * static_cast<size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return {};
    }
    PaletteMatcher matcher(palette);
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = picture.Row(y);
        uint8_t* dst = bits.data() + stride * y;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = src[x] & 0xFFFFFF;
            switch (bitsPerPixel) {
            case 8: dst[x] = matcher.Index(p); break;
            case 16: {
                uint32_t v = ((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F);
                dst[2 * x] = static_cast<uint8_t>(v);
                dst[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                break;
            }
            case 24:
                dst[3 * x] = static_cast<uint8_t>(p);
                dst[3 * x + 1] = static_cast<uint8_t>(p >> 8);
                dst[3 * x + 2] = static_cast<uint8_t>(p >> 16);
                break;
            default:
                dst[4 * x] = static_cast<uint8_t>(p);
                dst[4 * x + 1] = static_cast<uint8_t>(p >> 8);
                dst[4 * x + 2] = static_cast<uint8_t>(p >> 16);
                dst[4 * x + 3] = 0;
                break;
            }
        }
    }
    return bits;
}

DeviceBitmap::DeviceBitmap(const Picture& picture, IDisplayFormat& display)
{
    if (!picture.IsLoaded())
        return;
    width_ = picture.Width();
    height_ = picture.Height();
    bitsPerPixel_ = display.BitsPerPixel();
    if (bitsPerPixel_ < 8) {
        display.ShowMessage(kDisplayModeMessage);
        return;
    }
    stride_ = DdbStride(width_, bitsPerPixel_);
    if (bitsPerPixel_ == 8)
        palette_ = display.SystemPalette();
    bits_ = ToDisplayBits(picture, bitsPerPixel_, palette_);
}

DeviceBitmap::~DeviceBitmap() = default;

bool DeviceBitmap::WriteBitmapFile(std::ostream& out, int x, int y, int width, int height) const
{
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || int64_t(x) + width > width_ || int64_t(y) + height > height_)
        return false;
    const int outputBits = bitsPerPixel_ == 8 ? 8 : 24;
    const int rowSize = BitmapFileRowSize(width, outputBits);
    const uint32_t headerSize = outputBits == 8 ? 14 + 40 + 1024 : 54;

    std::vector<uint8_t> header;
    header.reserve(headerSize);
    header.push_back('B');
    header.push_back('M');
    Put32(header, static_cast<uint32_t>(int64_t(height) * rowSize + headerSize));
    Put16(header, 0);
    Put16(header, 0);
    Put32(header, headerSize);
    Put32(header, 40);
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height)); // positive: rows bottom-up
    Put16(header, 1);
    Put16(header, static_cast<uint32_t>(outputBits));
    for (int i = 0; i < 6; ++i)
        Put32(header, 0); // BI_RGB, image size, resolutions, colour counts
    if (outputBits == 8) {
        for (uint32_t c : palette_)
            Put32(header, c & 0xFFFFFF); // blue, green, red, 0
    }
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));

    const bool known = bitsPerPixel_ == 8 || bitsPerPixel_ == 16 || bitsPerPixel_ == 24 || bitsPerPixel_ == 32;
    if (!HasBits() || !known)
        return false;

    const int bytesPerPixel = bitsPerPixel_ / 8;
    std::vector<uint8_t> row(static_cast<size_t>(rowSize));
    for (int line = y + height - 1; line >= y; --line) {
        const uint8_t* src = bits_.data() + size_t(stride_) * line + size_t(x) * bytesPerPixel;
        std::fill(row.begin(), row.end(), 0);
        switch (bitsPerPixel_) {
        case 8: std::copy(src, src + width, row.begin()); break;
        case 24: std::copy(src, src + size_t(width) * 3, row.begin()); break;
        case 16:
            for (int i = 0; i < width; ++i) {
                uint32_t v = src[2 * i] | (src[2 * i + 1] << 8);
                row[3 * i] = static_cast<uint8_t>((v << 3) & 0xFF);
                row[3 * i + 1] = static_cast<uint8_t>((v >> 3) & 0xFC);
                row[3 * i + 2] = static_cast<uint8_t>((v >> 8) & 0xF8);
            }
            break;
        default:
            for (int i = 0; i < width; ++i) {
                row[3 * i] = src[4 * i];
                row[3 * i + 1] = src[4 * i + 1];
                row[3 * i + 2] = src[4 * i + 2];
            }
            break;
        }
        out.write(reinterpret_cast<const char*>(row.data()), rowSize);
    }
    return static_cast<bool>(out);
}

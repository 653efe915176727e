#include "codecs/PnmDecoder.h"

#include "codecs/DecodeCommon.h"

namespace {

class PnmReader {
public:
    PnmReader(const uint8_t* data, size_t size) : data_(data), size_(size) { }

    size_t Pos() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    const uint8_t* Here() const { return data_ + pos_; }

    // Skips blanks and '#' comments; false at the end of the data.
    bool SkipSpace()
    {
        while (pos_ < size_) {
            uint8_t c = data_[pos_];
            if (c == '#') {
                while (pos_ < size_ && data_[pos_] != '\n' && data_[pos_] != '\r')
                    ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
                ++pos_;
            } else {
                return true;
            }
        }
        return false;
    }
    // A decimal number no larger than limit.
    bool Number(uint32_t limit, uint32_t& value)
    {
        if (!SkipSpace() || data_[pos_] < '0' || data_[pos_] > '9')
            return false;
        uint64_t v = 0;
        while (pos_ < size_ && data_[pos_] >= '0' && data_[pos_] <= '9') {
            v = v * 10 + (data_[pos_++] - '0');
            if (v > limit)
                return false;
        }
        value = static_cast<uint32_t>(v);
        return true;
    }
    // One plain PBM digit, which need not be separated from the next.
    bool Bit(uint32_t& value)
    {
        if (!SkipSpace() || (data_[pos_] != '0' && data_[pos_] != '1'))
            return false;
        value = data_[pos_++] - '0';
        return true;
    }
    void Advance(size_t n) { pos_ += n; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace

bool IsPnm(const uint8_t* data, size_t size)
{
    return data && size >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6';
}

bool DecodePnm(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!IsPnm(data, size))
        return false;
    const int kind = data[1] - '0';
    const bool raw = kind >= 4;
    const bool bitmap = kind == 1 || kind == 4;
    const int channels = (kind == 3 || kind == 6) ? 3 : 1;
    PnmReader r(data + 2, size - 2);
    uint32_t width = 0, height = 0, maxValue = 1;
    if (!r.Number(0x7FFFFFFF, width) || !r.Number(0x7FFFFFFF, height))
        return false;
    if (!bitmap && (!r.Number(65535, maxValue) || maxValue == 0))
        return false;
    if (!ImageSizeAllowed(width, height, maxPixels))
        return false;

    const size_t bytesPerSample = maxValue > 255 ? 2 : 1;
    if (raw) {
        // Exactly one blank separates the header from the samples.
        if (r.Remaining() == 0)
            return false;
        r.Advance(1);
        uint64_t need =
            bitmap ? (uint64_t(width) + 7) / 8 * height : uint64_t(width) * height * channels * bytesPerSample;
        if (need > r.Remaining())
            return false;
    } else if (uint64_t(width) * height * channels > r.Remaining()) {
        // Plain samples take at least one character each.
        return false;
    }
    if (!AllocateImage(image, width, height, maxPixels))
        return false;

    auto scale = [maxValue](uint32_t v) -> uint32_t {
        if (v > maxValue)
            v = maxValue;
        return (v * 255 + maxValue / 2) / maxValue;
    };
    const uint8_t* p = r.Here();
    size_t rawPos = 0;
    auto sample = [&](uint32_t& v) -> bool {
        if (!raw)
            return r.Number(65535, v);
        if (bytesPerSample == 2) {
            v = (p[rawPos] << 8) | p[rawPos + 1];
            rawPos += 2;
        } else {
            v = p[rawPos++];
        }
        return true;
    };
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t* dst = image.pixels.data() + size_t(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            if (bitmap) {
                uint32_t bit = 0;
                if (raw)
                    bit = (p[size_t(y) * ((width + 7) / 8) + x / 8] >> (7 - x % 8)) & 1;
                else if (!r.Bit(bit)) {
                    image = DecodedImage{};
                    return false;
                }
                dst[x] = bit ? 0 : 0xFFFFFF; // 1 is black
                continue;
            }
            uint32_t c[3] = {0, 0, 0};
            for (int i = 0; i < channels; ++i) {
                if (!sample(c[i])) {
                    image = DecodedImage{};
                    return false;
                }
            }
            if (channels == 1)
                c[1] = c[2] = c[0];
            dst[x] = PackRgb(scale(c[0]), scale(c[1]), scale(c[2]));
        }
    }
    return true;
}

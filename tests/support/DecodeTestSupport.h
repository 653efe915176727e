#pragma once
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gfx/DecodedImage.h"

// The patterns the sample images under tests/data/images were made from (see make-samples.sh there).
namespace Samples {

constexpr int kWidth = 13;
constexpr int kHeight = 7;

inline uint32_t PatternColour(int x, int y)
{
    static const uint32_t colours[8] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
    return colours[(x + 3 * y) % 8];
}

inline uint32_t GreyColour(int x, int y)
{
    static const uint32_t greys[8] = {0, 36, 73, 109, 146, 182, 219, 255};
    uint32_t g = greys[(x + 3 * y) % 8];
    return g << 16 | g << 8 | g;
}

inline uint32_t MonoColour(int x, int y)
{
    return (x + y) % 3 == 0 ? 0x000000 : 0xFFFFFF;
}

inline std::string Path(const std::string& name)
{
    return std::string(QM_TEST_DATA_DIR) + "/images/" + name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<uint8_t> Read(const std::string& name)
{
    return ReadBytes(Path(name));
}

// Compares every pixel with expected(x, y), allowing each channel to differ by tolerance.
template <typename Expected>
::testing::AssertionResult Matches(const DecodedImage& image, Expected expected, int tolerance = 0)
{
    if (image.width != kWidth || image.height != kHeight ||
        image.pixels.size() != static_cast<size_t>(kWidth) * kHeight)
        return ::testing::AssertionFailure() << "size " << image.width << "x" << image.height;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint32_t got = image.pixels[size_t(y) * kWidth + x];
            uint32_t want = expected(x, y);
            if (got >> 24)
                return ::testing::AssertionFailure() << "top byte set at " << x << "," << y;
            for (int shift = 0; shift < 24; shift += 8) {
                int d = std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF));
                if (d > tolerance)
                    return ::testing::AssertionFailure() << std::hex << "pixel " << std::dec << x << "," << y
                                                         << std::hex << " is " << got << ", expected " << want;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Little-endian byte building for hand-made files.
struct Bytes {
    std::vector<uint8_t> data;
    Bytes& u8(uint32_t v)
    {
        data.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    Bytes& u16(uint32_t v) { return u8(v).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& be16(uint32_t v) { return u8(v >> 8).u8(v); }
    Bytes& be32(uint32_t v) { return be16(v >> 16).be16(v & 0xFFFF); }
    Bytes& fill(size_t n, uint8_t v = 0)
    {
        data.insert(data.end(), n, v);
        return *this;
    }
    Bytes& raw(const std::vector<uint8_t>& more)
    {
        data.insert(data.end(), more.begin(), more.end());
        return *this;
    }
    Bytes& text(const std::string& s)
    {
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    size_t size() const { return data.size(); }
};

} // namespace Samples

#pragma once
#include <cstdint>
#include <string>

// A 2 x 2 picture that every decoder of the runtime reads (24-bit BMP), whatever name it is stored under.
// `seed` changes its pixels, so two pictures can differ.
inline std::string TinyPicture(uint8_t seed = 0)
{
    auto le32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    std::string bmp = "BM" + le32(70) + le32(0) + le32(54);
    bmp += le32(40) + le32(2) + le32(2) + std::string{1, 0, 24, 0} + le32(0) + le32(16) + le32(2835) + le32(2835) +
        le32(0) + le32(0);
    for (int row = 0; row < 2; ++row)
        bmp += std::string{char(seed), char(40 * row), char(200), char(seed), char(100), char(50), 0, 0};
    return bmp;
}

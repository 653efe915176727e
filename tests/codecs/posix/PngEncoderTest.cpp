#include "codecs/posix/PngEncoder.h"
#include "codecs/ExtendedDecoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/SecondThreadHook.h"

namespace {

struct PngCase {
    PngPixels layout;
    int level;
    int width = 37;
    int height = 11;
};

class PngEncoderRoundTrip : public ::testing::TestWithParam<PngCase> { };

// Every layout at a fast and a thorough level (their filters and compressors differ) decodes to the very
// pixels given, with rows wider than the picture and values that make the filters wrap around; large
// pictures at fast levels are compressed in two halves that must join into one stream.
TEST_P(PngEncoderRoundTrip, DecodesToThePixelsGiven)
{
    const PngCase c = GetParam();
    const int kW = c.width, kH = c.height;
    const int bytesPerPixel = c.layout == PngPixels::Rgb ? 3 : 4;
    const size_t stride = static_cast<size_t>(kW + 5) * bytesPerPixel;
    std::vector<uint8_t> pixels(stride * kH);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 97 + (i / stride) * 31 + (i % 7 == 0 ? 250 : 0));
    std::string png;
    ASSERT_TRUE(EncodePng(pixels.data(), kW, kH, stride, c.layout, c.level, png));

    DecodedImage image;
    ASSERT_TRUE(DecodeExtended(reinterpret_cast<const uint8_t*>(png.data()), png.size(), -1, image));
    ASSERT_EQ(image.width, kW);
    ASSERT_EQ(image.height, kH);
    EXPECT_EQ(image.hasAlpha, c.layout == PngPixels::Rgba);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const uint8_t* p = pixels.data() + y * stride + x * bytesPerPixel;
            const uint32_t got = image.pixels[y * kW + x];
            if (c.layout == PngPixels::Rgba) {
                // Decoded colours come multiplied by their opacity.
                ASSERT_EQ(got >> 24, p[3]) << x << "," << y;
                for (int i = 0; i < 3; ++i)
                    ASSERT_NEAR(int(got >> (16 - 8 * i) & 0xFF), p[i] * p[3] / 255.0, 1.0) << x << "," << y;
                continue;
            }
            const bool bgr = c.layout == PngPixels::Bgrx;
            const uint32_t rgb = uint32_t(p[bgr ? 2 : 0]) << 16 | uint32_t(p[1]) << 8 | p[bgr ? 0 : 2];
            ASSERT_EQ(got & 0xFFFFFF, rgb) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PngEncoderRoundTrip,
                         ::testing::Values(PngCase{PngPixels::Rgb, 1}, PngCase{PngPixels::Rgb, 6},
                                           PngCase{PngPixels::Rgba, 1}, PngCase{PngPixels::Rgba, 9},
                                           PngCase{PngPixels::Bgrx, 0}, PngCase{PngPixels::Bgrx, 6},
                                           PngCase{PngPixels::Bgrx, 1, 701, 601},
                                           PngCase{PngPixels::Rgba, 1, 600, 601}));

TEST(PngEncoder, RefusesNoPixelsOrNoSize)
{
    const uint8_t pixel[4] = {};
    std::string png = "stale";
    EXPECT_FALSE(EncodePng(nullptr, 1, 1, 4, PngPixels::Rgb, 1, png));
    EXPECT_FALSE(EncodePng(pixel, 0, 1, 4, PngPixels::Rgb, 1, png));
    EXPECT_FALSE(EncodePng(pixel, 1, -1, 4, PngPixels::Rgb, 1, png));
    EXPECT_TRUE(png.empty());
}

// A large picture's first half is made on a second thread: where none can be had it is made after the second
// half, to the same bytes; where it runs out of memory there, the encoder fails instead of the process.
TEST(PngEncoder, FirstHalfWithoutAThreadOrOutOfMemory)
{
    const int kW = 701, kH = 601;
    std::vector<uint8_t> pixels(static_cast<size_t>(kW) * kH * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 97 + i / 5000);
    auto encode = [&](std::string& png) {
        return EncodePng(pixels.data(), kW, kH, static_cast<size_t>(kW) * 4, PngPixels::Bgrx, 1, png);
    };
    std::string beside, alone, failed = "stale";
    ASSERT_TRUE(encode(beside));
    {
        SecondThreadHook hook(&SecondThreadHook::NoThread);
        ASSERT_TRUE(encode(alone));
    }
    EXPECT_EQ(alone, beside);
    SecondThreadHook hook(&SecondThreadHook::OutOfMemory);
    EXPECT_FALSE(encode(failed));
    EXPECT_TRUE(failed.empty());
}

} // namespace

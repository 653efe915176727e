// Specs name only the fields that matter to each case.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <gtest/gtest.h>

#include "codecs/BmpDecoder.h"
#include "support/DecodeTestSupport.h"

using namespace Samples;

namespace {

struct BmpSpec {
    int width = 0;
    int height = 0; // negative: top-down
    int bitCount = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    std::vector<uint32_t> masks;   // written after a 40-byte header, inside a larger one
    std::vector<uint32_t> palette; // 0x00RRGGBB
    std::vector<uint8_t> pixels;
};

std::vector<uint8_t> MakeBmp(const BmpSpec& s)
{
    Bytes info;
    if (s.headerSize == 12) {
        info.u32(12).u16(s.width).u16(s.height).u16(1).u16(s.bitCount);
    } else {
        info.u32(s.headerSize).u32(s.width).u32(static_cast<uint32_t>(s.height)).u16(1).u16(s.bitCount);
        info.u32(s.compression).u32(static_cast<uint32_t>(s.pixels.size())).u32(2835).u32(2835);
        info.u32(static_cast<uint32_t>(s.palette.size())).u32(0);
        if (s.headerSize > 40) {
            for (size_t i = 0; i < 4; ++i)
                info.u32(i < s.masks.size() ? s.masks[i] : 0);
            info.fill(s.headerSize - 56);
        } else {
            for (uint32_t m : s.masks)
                info.u32(m);
        }
    }
    for (uint32_t c : s.palette) {
        info.u8(c).u8(c >> 8).u8(c >> 16);
        if (s.headerSize != 12)
            info.u8(0);
    }
    Bytes file;
    uint32_t offset = 14 + static_cast<uint32_t>(info.size());
    file.text("BM").u32(offset + static_cast<uint32_t>(s.pixels.size())).u32(0).u32(offset);
    file.raw(info.data).raw(s.pixels);
    return file.data;
}

DecodedImage Decode(const std::vector<uint8_t>& bytes)
{
    DecodedImage image;
    DecodeBmp(bytes.data(), bytes.size(), image);
    return image;
}

std::vector<uint32_t> Pixels(std::initializer_list<uint32_t> p)
{
    return p;
}

} // namespace

TEST(BmpDecoder, SamplesOfEveryDepthDecodeExactly)
{
    EXPECT_TRUE(Matches(Decode(Read("pattern-24.bmp")), PatternColour));
    EXPECT_TRUE(Matches(Decode(Read("pattern-32.bmp")), PatternColour));
    EXPECT_TRUE(Matches(Decode(Read("pattern-4.bmp")), PatternColour));
    EXPECT_TRUE(Matches(Decode(Read("pattern-rle8.bmp")), PatternColour));
    EXPECT_TRUE(Matches(Decode(Read("pattern-565.bmp")), PatternColour));
    EXPECT_TRUE(Matches(Decode(Read("pattern-555.bmp")), PatternColour));
    EXPECT_TRUE(Matches(Decode(Read("mono-1.bmp")), MonoColour));
}

TEST(BmpDecoder, BottomUpAndTopDownRowsLandTheSameWay)
{
    // 2 x 2, 24 bits: rows of 6 bytes padded to 8.
    BmpSpec s{.width = 2, .height = 2};
    s.pixels = {0,   0, 255, 0,   255, 0,   0, 0, /* bottom row: red, green */
                255, 0, 0,   255, 255, 255, 0, 0 /* top row: blue, white */};
    DecodedImage up = Decode(MakeBmp(s));
    EXPECT_EQ(up.pixels, Pixels({0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00}));
    s.height = -2;
    DecodedImage down = Decode(MakeBmp(s));
    EXPECT_EQ(down.pixels, Pixels({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
}

TEST(BmpDecoder, PalettedDepthsUseTheColourTable)
{
    const std::vector<uint32_t> four = {0x000000, 0x112233, 0x445566, 0xFFFFFF};
    // 1 bit: 9 pixels need 2 bytes, padded to 4.
    BmpSpec one{.width = 9, .height = -1, .bitCount = 1, .palette = {0x102030, 0xA0B0C0}};
    one.pixels = {0xA5, 0x80, 0, 0};
    EXPECT_EQ(Decode(MakeBmp(one)).pixels,
              Pixels({0xA0B0C0, 0x102030, 0xA0B0C0, 0x102030, 0x102030, 0xA0B0C0, 0x102030, 0xA0B0C0, 0xA0B0C0}));
    BmpSpec two{.width = 4, .height = -1, .bitCount = 2, .palette = four, .pixels = {0x1B, 0, 0, 0}};
    EXPECT_EQ(Decode(MakeBmp(two)).pixels, Pixels({0x000000, 0x112233, 0x445566, 0xFFFFFF}));
    BmpSpec nibble{.width = 3, .height = -1, .bitCount = 4, .palette = four, .pixels = {0x32, 0x10, 0, 0}};
    EXPECT_EQ(Decode(MakeBmp(nibble)).pixels, Pixels({0xFFFFFF, 0x445566, 0x112233}));
    BmpSpec byte{.width = 3, .height = -1, .bitCount = 8, .palette = four, .pixels = {3, 0, 9, 0}};
    // An index beyond the table is black.
    EXPECT_EQ(Decode(MakeBmp(byte)).pixels, Pixels({0xFFFFFF, 0x000000, 0x000000}));
}

TEST(BmpDecoder, CoreHeaderHasThreeBytePaletteEntries)
{
    BmpSpec s{.width = 2, .height = 1, .bitCount = 8, .headerSize = 12, .palette = {0x0000FF, 0xFF8000}};
    s.pixels = {1, 0, 0, 0};
    EXPECT_EQ(Decode(MakeBmp(s)).pixels, Pixels({0xFF8000, 0x0000FF}));
}

TEST(BmpDecoder, BitFieldsAreScaledToFullRange)
{
    // 5-6-5 after a 40-byte header: white, pure red, mid green (32 of 63), blue 1 of 31.
    BmpSpec s{.width = 4, .height = -1, .bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}};
    s.pixels = {0xFF, 0xFF, 0x00, 0xF8, 0x00, 0x04, 0x01, 0x00};
    EXPECT_EQ(Decode(MakeBmp(s)).pixels, Pixels({0xFFFFFF, 0xFF0000, 0x008200, 0x000008}));

    // 32 bits with the masks inside a version 5 header, channels in unusual places.
    BmpSpec v5{.width = 1,
               .height = 1,
               .bitCount = 32,
               .compression = 3,
               .headerSize = 124,
               .masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}};
    v5.pixels = {0x11, 0x22, 0x33, 0x44};
    EXPECT_EQ(Decode(MakeBmp(v5)).pixels, Pixels({0x112233}));

    // 16 bits without bit fields are 5-5-5.
    BmpSpec plain{.width = 1, .height = 1, .bitCount = 16, .pixels = {0x1F, 0x7C, 0, 0}};
    EXPECT_EQ(Decode(MakeBmp(plain)).pixels, Pixels({0xFF00FF}));
}

TEST(BmpDecoder, Rle8RunsAbsoluteRunsDeltasAndLineEnds)
{
    // 5 x 3, bottom-up. Line 0: run of 2 × index 1, absolute 3 pixels (2,1,2) + pad, end of line.
    // Line 1: delta (+3, +1) skips to line 2 column 3, run of 2 × index 2 (one clipped), end of bitmap.
    BmpSpec s{.width = 5, .height = 3, .bitCount = 8, .compression = 1, .palette = {0x000000, 0xFF0000, 0x00FF00}};
    s.pixels = {2, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 3, 1, 3, 2, 0, 1};
    EXPECT_EQ(Decode(MakeBmp(s)).pixels,
              Pixels({0, 0, 0, 0x00FF00, 0x00FF00, // top line: from the delta
                      0, 0, 0, 0, 0,               // skipped line stays black
                      0xFF0000, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00}));
}

TEST(BmpDecoder, Rle4AlternatesNibbles)
{
    // 6 x 1: run of 3 alternating (1, 2), absolute 3 pixels (3, 1, 2) in two bytes + pad, end of bitmap.
    BmpSpec s{
        .width = 6, .height = 1, .bitCount = 4, .compression = 2, .palette = {0x000000, 0x111111, 0x222222, 0x333333}};
    s.pixels = {3, 0x12, 0, 3, 0x31, 0x20, 0, 1};
    EXPECT_EQ(Decode(MakeBmp(s)).pixels, Pixels({0x111111, 0x222222, 0x111111, 0x333333, 0x111111, 0x222222}));
}

TEST(BmpDecoder, MalformedFilesFailWithoutAnImage)
{
    BmpSpec good{.width = 2, .height = 2, .pixels = std::vector<uint8_t>(16, 0x80)};
    ASSERT_FALSE(Decode(MakeBmp(good)).Empty());

    auto fails = [](const std::vector<uint8_t>& bytes) {
        DecodedImage image;
        image.width = 5; // must be cleared
        bool ok = DecodeBmp(bytes.data(), bytes.size(), image);
        return !ok && image.Empty() && image.pixels.empty();
    };
    auto full = MakeBmp(good);
    for (size_t cut = 0; cut < full.size(); ++cut)
        EXPECT_TRUE(fails(std::vector<uint8_t>(full.begin(), full.begin() + cut))) << "cut at " << cut;

    BmpSpec zeroWidth = good;
    zeroWidth.width = 0;
    EXPECT_TRUE(fails(MakeBmp(zeroWidth)));
    BmpSpec minHeight = good;
    minHeight.height = INT32_MIN;
    EXPECT_TRUE(fails(MakeBmp(minHeight)));
    BmpSpec badDepth = good;
    badDepth.bitCount = 7;
    EXPECT_TRUE(fails(MakeBmp(badDepth)));
    BmpSpec rleWrongDepth = good;
    rleWrongDepth.compression = 1;
    EXPECT_TRUE(fails(MakeBmp(rleWrongDepth)));
    BmpSpec embeddedPng = good;
    embeddedPng.compression = 5;
    EXPECT_TRUE(fails(MakeBmp(embeddedPng)));
    BmpSpec rleTopDown{.width = 2, .height = -1, .bitCount = 8, .compression = 1, .pixels = {0, 1}};
    EXPECT_TRUE(fails(MakeBmp(rleTopDown)));
    // An RLE stream that ends before its end-of-bitmap code.
    BmpSpec rleShort{.width = 4, .height = 2, .bitCount = 8, .compression = 1, .pixels = {2, 1, 0, 0, 1}};
    EXPECT_TRUE(fails(MakeBmp(rleShort)));

    // A data offset beyond the file.
    auto offset = full;
    offset[10] = 0xFF;
    offset[11] = 0xFF;
    EXPECT_TRUE(fails(offset));
    // Unknown header size.
    auto header = full;
    header[14] = 41;
    EXPECT_TRUE(fails(header));
}

TEST(BmpDecoder, HugeDeclaredSizesAreRefusedBeforeAllocation)
{
    // 100000 x 100000 at 1 bit needs far more data than given, and more pixels than allowed.
    BmpSpec huge{.width = 100000, .height = 100000, .bitCount = 1, .palette = {0, 0xFFFFFF}};
    huge.pixels = std::vector<uint8_t>(64, 0);
    EXPECT_TRUE(Decode(MakeBmp(huge)).Empty());
    // RLE can describe a large black image in two bytes; the pixel limit still holds.
    BmpSpec rle{.width = 20000, .height = 20000, .bitCount = 8, .compression = 1, .pixels = {0, 1}};
    EXPECT_TRUE(Decode(MakeBmp(rle)).Empty());
    DecodedImage small;
    auto bytes = MakeBmp(rle);
    EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), small, 1000));
    BmpSpec fits{.width = 30, .height = 30, .bitCount = 8, .compression = 1, .pixels = {0, 1}};
    bytes = MakeBmp(fits);
    EXPECT_TRUE(DecodeBmp(bytes.data(), bytes.size(), small, 1000));
    EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), small, 899));
}

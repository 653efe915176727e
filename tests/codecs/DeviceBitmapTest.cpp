#include <gtest/gtest.h>

#include <sstream>

#include "codecs/BmpDecoder.h"
#include "gfx/DeviceBitmap.h"
#include "gfx/Picture.h"
#include "support/DecodeTestSupport.h"

namespace {

class FakeDisplay : public IDisplayFormat {
public:
    explicit FakeDisplay(int bits) : bits_(bits) { }
    int BitsPerPixel() override { return bits_; }
    std::array<uint32_t, 256> SystemPalette() override { return palette; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::array<uint32_t, 256> palette{};
    std::vector<std::string> messages;

private:
    int bits_;
};

Picture MakePicture(int width, int height, const std::vector<uint32_t>& pixels)
{
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.pixels = pixels;
    Picture picture;
    EXPECT_EQ(picture.AdoptDecoded(std::move(image)), 1);
    return picture;
}

std::string WriteFile(const Picture& picture, IDisplayFormat& display, bool* complete = nullptr)
{
    DeviceBitmap ddb(picture, display);
    std::ostringstream out;
    bool ok = ddb.WriteBitmapFile(out, 0, 0, picture.Width(), picture.Height());
    if (complete)
        *complete = ok;
    return out.str();
}

uint32_t U32At(const std::string& s, size_t at)
{
    return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8 | uint8_t(s[at + 2]) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}

DecodedImage DecodeFile(const std::string& file)
{
    DecodedImage image;
    DecodeBmp(reinterpret_cast<const uint8_t*>(file.data()), file.size(), image);
    return image;
}

} // namespace

TEST(DeviceBitmap, RowSizes)
{
    // Display rows are padded to 16 bits, file rows to 32 bits.
    EXPECT_EQ(DdbStride(1, 24), 4);
    EXPECT_EQ(DdbStride(3, 8), 4);
    EXPECT_EQ(DdbStride(5, 16), 10);
    EXPECT_EQ(DdbStride(3, 32), 12);
    EXPECT_EQ(DdbStride(5, 24), 16);
    EXPECT_EQ(BitmapFileRowSize(1, 24), 4);
    EXPECT_EQ(BitmapFileRowSize(4, 24), 12);
    EXPECT_EQ(BitmapFileRowSize(5, 8), 8);
    EXPECT_EQ(BitmapFileRowSize(8, 8), 8);
}

TEST(DeviceBitmap, TrueColourDisplaysWrite24BitFilesBottomUp)
{
    std::vector<uint32_t> pixels = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
    for (int bits : {24, 32}) {
        FakeDisplay display(bits);
        auto picture = MakePicture(3, 2, pixels);
        bool complete = false;
        std::string file = WriteFile(picture, display, &complete);
        EXPECT_TRUE(complete);
        ASSERT_EQ(file.size(), 54u + 2 * 12);
        EXPECT_EQ(file.substr(0, 2), "BM");
        EXPECT_EQ(U32At(file, 2), file.size());
        EXPECT_EQ(U32At(file, 10), 54u);
        EXPECT_EQ(U32At(file, 14), 40u);
        EXPECT_EQ(U32At(file, 22), 2u); // positive height
        EXPECT_EQ(uint8_t(file[28]), 24);
        // The bottom row comes first, then three zero bytes of padding.
        EXPECT_EQ(file.substr(54, 12), std::string("\xCC\xBB\xAA\xFF\xEE\xDD\x03\x02\x01\0\0\0", 12));
        EXPECT_EQ(DecodeFile(file).pixels, pixels) << bits;
    }
}

TEST(DeviceBitmap, OnePixelWideSnapshotHasFourByteRows)
{
    FakeDisplay display(32);
    auto picture = MakePicture(1, 3, {0xFF0000, 0x00FF00, 0x0000FF});
    std::string file = WriteFile(picture, display);
    ASSERT_EQ(file.size(), 54u + 3 * 4);
    EXPECT_EQ(file.substr(54), std::string("\xFF\0\0\0\0\xFF\0\0\0\0\xFF\0", 12));
}

TEST(DeviceBitmap, SixteenBitDisplaysGoThroughFiveSixFive)
{
    FakeDisplay display(16);
    auto picture = MakePicture(2, 1, {0xFFFFFF, 0x123456});
    DeviceBitmap ddb(picture, display);
    ASSERT_TRUE(ddb.HasBits());
    EXPECT_EQ(ddb.Stride(), 4);
    EXPECT_EQ(ddb.Bits(), (std::vector<uint8_t>{0xFF, 0xFF, 0xAA, 0x11}));
    // Expanded without filling the low bits: 0xFFFF gives F8 FC F8.
    EXPECT_EQ(DecodeFile(WriteFile(picture, display)).pixels, (std::vector<uint32_t>{0xF8FCF8, 0x103450}));
}

TEST(DeviceBitmap, EightBitDisplaysWriteThePaletteAndNearestIndices)
{
    FakeDisplay display(8);
    display.palette[0] = 0x000000;
    display.palette[1] = 0xFF0000;
    display.palette[2] = 0x0000FF;
    for (int i = 3; i < 256; ++i)
        display.palette[i] = 0xFFFFFF;
    auto picture = MakePicture(3, 1, {0xF01010, 0x1010E0, 0x101010});
    bool complete = false;
    std::string file = WriteFile(picture, display, &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(file.size(), 1078u + 4);
    EXPECT_EQ(U32At(file, 10), 1078u);
    EXPECT_EQ(uint8_t(file[28]), 8);
    EXPECT_EQ(U32At(file, 54 + 4), 0xFF0000u); // entry 1: blue 0, green 0, red FF, 0
    EXPECT_EQ(file.substr(1078), std::string("\x01\x02\x00\x00", 4));
    EXPECT_EQ(DecodeFile(file).pixels, (std::vector<uint32_t>{0xFF0000, 0x0000FF, 0x000000}));
}

TEST(DeviceBitmap, DisplaysBelowEightBitsAskForAnotherModeAndWriteHeadersOnly)
{
    FakeDisplay display(4);
    auto picture = MakePicture(2, 2, {1, 2, 3, 4});
    bool complete = true;
    std::string file = WriteFile(picture, display, &complete);
    EXPECT_FALSE(complete);
    ASSERT_EQ(display.messages.size(), 1u);
    EXPECT_EQ(display.messages[0], " Please Change your display mode.Thank you!");
    EXPECT_EQ(file.size(), 54u);
    // Such a file holds no image for anyone who reads it back.
    EXPECT_TRUE(DecodeFile(file).Empty());
}

TEST(DeviceBitmap, AreasOutsideTheBitmapWriteNothing)
{
    FakeDisplay display(32);
    auto picture = MakePicture(2, 2, {1, 2, 3, 4});
    DeviceBitmap ddb(picture, display);
    std::ostringstream out;
    EXPECT_FALSE(ddb.WriteBitmapFile(out, 1, 0, 2, 2));
    EXPECT_FALSE(ddb.WriteBitmapFile(out, 0, 0, 0, 2));
    EXPECT_TRUE(out.str().empty());
    // A part inside is written on its own.
    EXPECT_TRUE(ddb.WriteBitmapFile(out, 1, 1, 1, 1));
    EXPECT_EQ(DecodeFile(out.str()).pixels, (std::vector<uint32_t>{4}));
}

TEST(DeviceBitmap, EmptyPictureHasNoBits)
{
    FakeDisplay display(32);
    Picture empty;
    DeviceBitmap ddb(empty, display);
    EXPECT_FALSE(ddb.HasBits());
    std::ostringstream out;
    EXPECT_FALSE(ddb.WriteBitmapFile(out, 0, 0, 1, 1));
}

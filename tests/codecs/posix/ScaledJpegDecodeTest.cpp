#include "codecs/JpegDecoder.h"
#include "codecs/ScaledJpeg.h"

#include "support/DecodeTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/SecondThreadHook.h"
#include "support/TestJpeg.h"

namespace {

// A JPEG of noise and gradients: `components` 1 (grey), 3 (YCbCr with the luma sampled h x v) or 4 (CMYK).
std::vector<uint8_t> MakeJpeg(int width, int height, int components, int h = 2, int v = 2, int restartRows = 0,
                              int restartMcus = 0)
{
    return testjpeg::Encode(
        width, height,
        {.components = components, .lumaH = h, .lumaV = v, .restartRows = restartRows, .restartMcus = restartMcus},
        [&, noise = uint32_t(12345)](int y, JSAMPLE* row) mutable {
            for (int i = 0; i < width * components; ++i) {
                noise = noise * 1103515245 + 12345;
                row[i] = static_cast<JSAMPLE>((i * 7 + y * 3 + ((noise >> 16) & 31)) & 0xFF);
            }
        });
}

// Large pictures are decoded in two bands at once, each by a decoder of its own (lowered here to reach it);
// put back as it was when the test ends.
class SplitDecodes {
public:
    explicit SplitDecodes(uint64_t from) : previous_(SplitJpegDecodesFrom(from)) { }
    ~SplitDecodes() { SplitJpegDecodesFrom(previous_); }
    SplitDecodes(const SplitDecodes&) = delete;
    SplitDecodes& operator=(const SplitDecodes&) = delete;

private:
    uint64_t previous_;
};

} // namespace

// The reduced decode writes straight into the picture: at 8/8 it is the ordinary decode, pixel for pixel and
// with a clear top byte; at n/8 each side is rounded up; data that does not decode leaves no picture behind.
TEST(ScaledJpegDecode, DecodesIntoThePictureAtEachScaleAndLeavesNothingOnFailure)
{
    for (const char* name : {"pattern.jpg", "pattern-progressive.jpg", "grey.jpg"}) {
        const std::vector<uint8_t> jpeg = Samples::Read(name);
        DecodedImage full;
        ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), full)) << name;
        for (int eighths = 1; eighths <= 8; ++eighths) {
            Picture picture;
            ASSERT_TRUE(DecodeJpegAtScale(jpeg.data(), jpeg.size(), eighths, picture)) << name << " " << eighths;
            EXPECT_EQ(picture.Width(), (Samples::kWidth * eighths + 7) / 8) << name << " " << eighths;
            EXPECT_EQ(picture.Height(), (Samples::kHeight * eighths + 7) / 8) << name << " " << eighths;
            if (eighths == 8) {
                EXPECT_EQ(picture.ToDecoded().pixels, full.pixels) << name;
            }
        }

        Picture picture;
        ASSERT_TRUE(picture.CreateBlank(4, 4, 0x123456));
        const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<ptrdiff_t>(jpeg.size() / 2));
        EXPECT_FALSE(DecodeJpegAtScale(cut.data(), cut.size(), 4, picture)) << name;
        EXPECT_FALSE(picture.IsLoaded()) << name;
    }
}

// Decoded in two bands, a picture has every pixel the one-band decode gives, for each sampling of the colours,
// grey and CMYK, at the scales slides use and at full size, whether the lower band is read from the top or
// resumed at a restart marker; data that breaks off fails whichever band it breaks off in.
TEST(ScaledJpegDecode, TwoBandsGiveThePixelsOfOne)
{
    struct Case {
        int width, height, components, h, v, restartRows = 0, restartMcus = 0;
    } cases[] = {{301, 203, 3, 2, 2},      {299, 157, 3, 2, 1},    {123, 250, 3, 1, 1},      {211, 97, 1, 1, 1},
                 {77, 130, 4, 1, 1},       {301, 203, 3, 2, 2, 1}, {299, 157, 3, 2, 1, 1},   {123, 250, 3, 1, 1, 2},
                 {211, 97, 1, 1, 1, 0, 3}, {77, 130, 4, 1, 1, 1},  {301, 203, 3, 2, 2, 0, 5}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> jpeg =
            MakeJpeg(c.width, c.height, c.components, c.h, c.v, c.restartRows, c.restartMcus);
        for (int eighths : {1, 3, 4, 8}) {
            Picture one, two;
            DecodedImage whole;
            {
                SplitDecodes never(std::numeric_limits<uint64_t>::max());
                ASSERT_TRUE(DecodeJpegAtScale(jpeg.data(), jpeg.size(), eighths, one));
            }
            SplitDecodes always(0);
            ASSERT_TRUE(DecodeJpegAtScale(jpeg.data(), jpeg.size(), eighths, two));
            EXPECT_EQ(two.ToDecoded().pixels, one.ToDecoded().pixels)
                << c.width << "x" << c.height << " components " << c.components << " at " << eighths << "/8"
                << " restarts " << c.restartRows << "/" << c.restartMcus;
            if (eighths == 8) {
                ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), whole));
                EXPECT_EQ(whole.pixels, one.ToDecoded().pixels) << c.width << "x" << c.height;
            }
        }
        SplitDecodes always(0);
        for (size_t cut : {jpeg.size() / 4, jpeg.size() * 9 / 10}) {
            const std::vector<uint8_t> part(jpeg.begin(), jpeg.begin() + static_cast<ptrdiff_t>(cut));
            Picture picture;
            EXPECT_FALSE(DecodeJpegAtScale(part.data(), part.size(), 4, picture)) << c.width << "x" << c.height;
            EXPECT_FALSE(picture.IsLoaded());
            DecodedImage image;
            EXPECT_FALSE(DecodeJpeg(part.data(), part.size(), image)) << c.width << "x" << c.height;
            EXPECT_TRUE(image.pixels.empty());
        }
    }
}

// The lower band has a thread of its own: where none can be had it is decoded after the upper band, to the same
// pixels; where it runs out of memory there, the decode fails and leaves no picture.
TEST(ScaledJpegDecode, LowerBandWithoutAThreadOrOutOfMemory)
{
    if (!SecondThread::Worthwhile())
        GTEST_SKIP() << "one processor: decodes are not split";
    const std::vector<uint8_t> jpeg = MakeJpeg(301, 203, 3, 2, 2, 1);
    SplitDecodes always(0);
    Picture beside, alone, failed;
    ASSERT_TRUE(DecodeJpegAtScale(jpeg.data(), jpeg.size(), 8, beside));
    {
        SecondThreadHook hook(&SecondThreadHook::NoThread);
        ASSERT_TRUE(DecodeJpegAtScale(jpeg.data(), jpeg.size(), 8, alone));
    }
    EXPECT_EQ(alone.ToDecoded().pixels, beside.ToDecoded().pixels);
    SecondThreadHook hook(&SecondThreadHook::OutOfMemory);
    EXPECT_FALSE(DecodeJpegAtScale(jpeg.data(), jpeg.size(), 8, failed));
    EXPECT_FALSE(failed.IsLoaded());
    DecodedImage image;
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), jpeg.size(), image));
    EXPECT_TRUE(image.pixels.empty());
}

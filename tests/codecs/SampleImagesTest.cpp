// Every sample format decodes to the pattern it was made from, through the decoders and through
// pictures loaded from files and from database streams (the platform's own decoders where it has them).
#include <gtest/gtest.h>

#include "codecs/ExtendedDecoder.h"
#include "codecs/ImageFormat.h"
#include "codecs/PictureLoad.h"
#include "db/MemoryFile.h"
#include "gfx/Picture.h"
#include "support/DecodeTestSupport.h"

using namespace Samples;

namespace {

using Expected = uint32_t (*)(int, int);

struct Sample {
    const char* name;
    Expected expected;
    int tolerance;
};

// Lossy JPEG at quality 95 on a pattern that changes colour at every pixel.
constexpr int kJpegTolerance = 56;

const Sample kExtendedSamples[] = {
    {"pattern.png", PatternColour, 0},
    {"pattern-palette.png", PatternColour, 0},
    {"pattern-16bit.png", PatternColour, 0},
    {"pattern-grey.png", GreyColour, 0},
    {"pattern.tga", PatternColour, 0},
    {"pattern-rle.tga", PatternColour, 0},
    {"pattern.psd", PatternColour, 0},
    {"pattern.pcx", PatternColour, 0},
    {"pattern-8.pcx", PatternColour, 0},
    {"pattern.sgi", PatternColour, 0},
    {"pattern-rle.sgi", PatternColour, 0},
    {"grey.bw", GreyColour, 0},
    {"pattern.ppm", PatternColour, 0},
    {"pattern-plain.ppm", PatternColour, 0},
    {"grey.pgm", GreyColour, 0},
    {"grey-plain.pgm", GreyColour, 0},
    {"mono.pbm", MonoColour, 0},
    {"mono-plain.pbm", MonoColour, 0},
};

const Sample kSystemSamples[] = {
    {"pattern-24.bmp", PatternColour, 0},
    {"pattern-32.bmp", PatternColour, 0},
    {"pattern-4.bmp", PatternColour, 0},
    {"pattern-rle8.bmp", PatternColour, 0},
    {"mono-1.bmp", MonoColour, 0},
    {"pattern.gif", PatternColour, 0},
    {"pattern-interlaced.gif", PatternColour, 0},
    {"pattern.jpg", PatternColour, kJpegTolerance},
    {"pattern-progressive.jpg", PatternColour, kJpegTolerance},
    {"pattern-restarts.jpg", PatternColour, kJpegTolerance},
    {"grey.jpg", GreyColour, 8},
};

} // namespace

TEST(SampleImages, ExtendedDecoderReadsEverySample)
{
    for (const auto& s : kExtendedSamples) {
        auto bytes = Read(s.name);
        ASSERT_FALSE(bytes.empty()) << s.name;
        DecodedImage image;
        EXPECT_TRUE(DecodeExtended(bytes.data(), bytes.size(), ClassifyImageFile(s.name), image)) << s.name;
        EXPECT_TRUE(Matches(image, s.expected, s.tolerance)) << s.name;
        // Without the name's help the bytes alone suffice.
        EXPECT_TRUE(DecodeExtended(bytes.data(), bytes.size(), -1, image)) << s.name;
        EXPECT_TRUE(Matches(image, s.expected, s.tolerance)) << s.name;
    }
}

TEST(SampleImages, PicturesLoadEverySampleFromFile)
{
    auto check = [](const Sample& s) {
        Picture picture;
        EXPECT_EQ(LoadFromFile(picture, Path(s.name)), 1) << s.name;
        EXPECT_TRUE(Matches(picture.ToDecoded(), s.expected, s.tolerance)) << s.name;
    };
    for (const auto& s : kExtendedSamples)
        check(s);
    for (const auto& s : kSystemSamples)
        check(s);
}

TEST(SampleImages, PicturesLoadEverySampleFromAStream)
{
    auto check = [](const Sample& s) {
        auto bytes = Read(s.name);
        MemoryFile stream;
        ASSERT_TRUE(stream.Write(bytes.data(), bytes.size()));
        Picture picture;
        EXPECT_EQ(LoadFromStream(picture, stream, std::string("media\\") + s.name), 1) << s.name;
        EXPECT_TRUE(Matches(picture.ToDecoded(), s.expected, s.tolerance)) << s.name;
    };
    for (const auto& s : kExtendedSamples)
        check(s);
    for (const auto& s : kSystemSamples)
        check(s);
}

#include "codecs/JpegDecoder.h"
#include "codecs/ScaledJpeg.h"

#include "../DecodeTestSupport.h"

#include <gtest/gtest.h>

// The reduced decode writes straight into the picture: at 8/8 it is the ordinary decode, pixel for pixel and
// with a clear top byte; at n/8 each side is rounded up; data that does not decode leaves no picture behind.
TEST(ScaledJpegDecode, DecodesIntoThePictureAtEachScaleAndLeavesNothingOnFailure)
{
    for (const char* name : {"pattern.jpg", "pattern-progressive.jpg", "grey.jpg"}) {
        const std::vector<uint8_t> jpeg = samples::Read(name);
        DecodedImage full;
        ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), full)) << name;
        for (int eighths = 1; eighths <= 8; ++eighths) {
            CComPicture picture;
            ASSERT_TRUE(DecodeJpegAtScale(jpeg.data(), jpeg.size(), eighths, picture)) << name << " " << eighths;
            EXPECT_EQ(picture.Width(), (samples::kWidth * eighths + 7) / 8) << name << " " << eighths;
            EXPECT_EQ(picture.Height(), (samples::kHeight * eighths + 7) / 8) << name << " " << eighths;
            if (eighths == 8) {
                EXPECT_EQ(picture.ToDecoded().pixels, full.pixels) << name;
            }
        }

        CComPicture picture;
        ASSERT_TRUE(picture.CreateBlank(4, 4, 0x123456));
        const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<ptrdiff_t>(jpeg.size() / 2));
        EXPECT_FALSE(DecodeJpegAtScale(cut.data(), cut.size(), 4, picture)) << name;
        EXPECT_FALSE(picture.IsLoaded()) << name;
    }
}

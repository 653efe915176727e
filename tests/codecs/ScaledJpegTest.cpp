#include <gtest/gtest.h>

#include "codecs/ScaledJpeg.h"

TEST(ScaledJpeg, SmallestScaleThatStillOnlyShrinks)
{
    struct Case {
        int sw, sh, dw, dh, eighths;
    } cases[] = {
        {6000, 4000, 1620, 1080, 3},                     // a 24-megapixel photo on a 1080p slide
        {512, 256, 64, 32, 1},                           // exactly an eighth
        {512, 256, 65, 32, 2},                           // a pixel more than an eighth
        {1000, 500, 1000, 800, 8},                       // enlarged: the full size
        {64, 32, 64, 48, 8},         {0, 10, 10, 10, 8}, // nothing to go by
        {10, 10, -1, -1, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JpegScaleFor(c.sw, c.sh, c.dw, c.dh), c.eighths) << c.sw << "x" << c.sh << " to " << c.dw;
}

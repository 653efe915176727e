#include "app/posix/SizeArgument.h"

#include <gtest/gtest.h>

TEST(RenderSize, ReadsWidthAndHeight)
{
    int w = 0, h = 0;
    ASSERT_TRUE(ParseSizeArgument("1280x720", w, h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720);
    ASSERT_TRUE(ParseSizeArgument("-20X0", w, h));
    EXPECT_EQ(w, -20);
    EXPECT_EQ(h, 0);
}

TEST(RenderSize, RefusesGarbageAndNumbersBeyondInt)
{
    int w = 7, h = 7;
    // 2^32 + 16 must not wrap to a valid width of 16.
    for (const char* text : {"4294967312x100", "100x4294967312", "99999999999x10", "", "x", "100", "100x", "x100",
                             "100x100x", "100x100 ", " 100x100", "10.5x20", "abcxdef", "0x10x10"}) {
        EXPECT_FALSE(ParseSizeArgument(text, w, h)) << text;
    }
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 7);
}

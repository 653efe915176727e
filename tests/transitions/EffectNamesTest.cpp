#include <gtest/gtest.h>

#include "transitions/EffectNames.h"

TEST(EffectNames, IndexOrderAndLookup)
{
    EXPECT_STREQ(EffectName(0), "Band down large");
    EXPECT_STREQ(EffectName(13), "Band left samll");
    EXPECT_STREQ(EffectName(108), "Scan to center(Vertical) ");
    EXPECT_STREQ(EffectName(160), "Zig-zag up");
    // The fades come after the historical 161, so that no stored number changes its meaning.
    EXPECT_STREQ(EffectName(161), "Fade");
    EXPECT_STREQ(EffectName(162), "Fade through black");
    EXPECT_EQ(EffectName(kEffectCount), nullptr);
    EXPECT_EQ(EffectName(-1), nullptr);
    for (int i = 0; i < kEffectCount; ++i)
        EXPECT_EQ(FindEffectByName(EffectName(i)), i) << EffectName(i);
    EXPECT_EQ(FindEffectByName("show UP-DWON"), 117);
    EXPECT_EQ(FindEffectByName("Spin"), -1);
}

#include <gtest/gtest.h>

#include "codecs/ImageFormat.h"

TEST(ClassifyImageFile, ExtensionsInTableOrder)
{
    EXPECT_EQ(ClassifyImageFile("Photo.JPG"), 2);
    EXPECT_EQ(ClassifyImageFile("a.jpeg"), 2);
    EXPECT_EQ(ClassifyImageFile("x.TIFF"), 5);
    EXPECT_EQ(ClassifyImageFile("x.rgba"), 3); // ".rgb" is found first
    EXPECT_EQ(ClassifyImageFile("a.dib"), 1);
    EXPECT_EQ(ClassifyImageFile("a.pic"), 4);
    EXPECT_EQ(ClassifyImageFile("a.win"), 6);
    EXPECT_EQ(ClassifyImageFile("a.scr"), 7);
    EXPECT_EQ(ClassifyImageFile("a.pcd"), 8);
    EXPECT_EQ(ClassifyImageFile("a.pbm"), 9);
    EXPECT_EQ(ClassifyImageFile("a.pal"), 10);
    EXPECT_EQ(ClassifyImageFile("a.Gif"), 11);
    EXPECT_EQ(ClassifyImageFile("a.rpf"), 12);
    EXPECT_EQ(ClassifyImageFile("a.pdd"), 13);
    EXPECT_EQ(ClassifyImageFile("a.psp"), 14);
    EXPECT_EQ(ClassifyImageFile("a.PNG"), 15);
}

TEST(ClassifyImageFile, FirstTableEntryFoundAnywhereWins)
{
    EXPECT_EQ(ClassifyImageFile("a.bmp.png"), 1);
    EXPECT_EQ(ClassifyImageFile("C:\\pics.gif\\image.xyz"), 11);
    // ".bw" comes before ".png" in the table, and occurs inside ".bwpng".
    EXPECT_EQ(ClassifyImageFile("x.bwpng"), 3);
    // A whole directory name can decide: ".win" in "C:\\my.windows\\a.png".
    EXPECT_EQ(ClassifyImageFile("C:\\my.windows\\a.png"), 6);
}

TEST(ClassifyImageFile, MatchAtTheStartOrWithoutDotDoesNotCount)
{
    EXPECT_EQ(ClassifyImageFile(".png"), -1);
    EXPECT_EQ(ClassifyImageFile("imagepng"), -1);
    EXPECT_EQ(ClassifyImageFile(""), -1);
    EXPECT_EQ(ClassifyImageFile("photo.xyz"), -1);
    // Only the first occurrence is looked at.
    EXPECT_EQ(ClassifyImageFile(".png.png"), -1);
    EXPECT_EQ(ClassifyImageFile(".gif.png"), 15);
}

TEST(ClassifyImageFile, SystemDecoderFormats)
{
    for (int code = -1; code <= 15; ++code)
        EXPECT_EQ(IsSystemDecoderFormat(code), code == 1 || code == 2 || code == 11) << code;
}

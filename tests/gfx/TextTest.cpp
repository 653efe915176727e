// Text is checked by measurable properties, not glyph pixels: fonts differ between machines.
#include <gtest/gtest.h>

#include "gfx/TextRenderer.h"
#include "support/PictureTestUtil.h"

namespace {

constexpr uint32_t kPaper = 0x102030;

FontSpec Font(const std::string& face, int height)
{
    FontSpec f;
    f.face = face;
    f.height = height;
    return f;
}

// Bounding box of all pixels that differ from the paper colour; empty when none.
Rect Ink(const Picture& p)
{
    Rect box{p.Width(), p.Height(), 0, 0};
    bool any = false;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.Row(y)[x] != kPaper) {
                any = true;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
    return any ? box : Rect{};
}

int InkedRows(const Picture& p)
{
    int rows = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.Row(y)[x] != kPaper) {
                ++rows;
                break;
            }
    return rows;
}

} // namespace

TEST(Text, MeasuresLongerStringsWiderAndHeightFollowsTheFont)
{
    auto text = CreateTextRenderer();
    ASSERT_TRUE(text->SelectFont(Font("Arial", -20)));
    const Size one = text->MeasureString("Hello");
    const Size two = text->MeasureString("Hello Hello");
    EXPECT_GT(one.cx, 20);
    EXPECT_GT(two.cx, 2 * one.cx - 2);
    EXPECT_GE(one.cy, 20);
    EXPECT_LE(one.cy, 30);
    EXPECT_EQ(text->MeasureString("").cx, 0);
    ASSERT_TRUE(text->SelectFont(Font("Arial", 40))); // positive: cell height
    EXPECT_NEAR(text->LineHeight(), 40, 1);
}

TEST(Text, BoldIsAtLeastAsWideAsRegular)
{
    auto text = CreateTextRenderer();
    FontSpec f = Font("Arial", -24);
    ASSERT_TRUE(text->SelectFont(f));
    const int regular = text->MeasureString("Wide words here").cx;
    f.weight = 700;
    ASSERT_TRUE(text->SelectFont(f));
    EXPECT_GE(text->MeasureString("Wide words here").cx, regular);
}

TEST(Text, DrawsInkInsideTheTextCellWithATransparentBackground)
{
    auto text = CreateTextRenderer();
    ASSERT_TRUE(text->SelectFont(Font("Times New Roman", -20)));
    Picture p = MakeFilled(200, 60, kPaper);
    const Size size = text->MeasureString("Quill");
    text->DrawString(p, 10, 15, "Quill", MakeColorref(255, 255, 255));
    const Rect ink = Ink(p);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.left, 9);
    EXPECT_GE(ink.top, 15);
    EXPECT_LE(ink.right, 10 + size.cx + 3);
    EXPECT_LE(ink.bottom, 15 + size.cy);
    EXPECT_EQ(p.Row(0)[0], kPaper); // background untouched
    EXPECT_EQ(p.Row(59)[199], kPaper);
}

TEST(Text, MissingFaceFallsBackToAnotherFont)
{
    auto text = CreateTextRenderer();
    ASSERT_TRUE(text->SelectFont(Font("No Such Face Anywhere", -18)));
    EXPECT_FALSE(text->FaceName().empty());
    EXPECT_GT(text->MeasureString("abc").cx, 0);
    Picture p = MakeFilled(100, 40, kPaper);
    text->DrawString(p, 2, 2, "abc", MakeColorref(255, 0, 0));
    EXPECT_FALSE(Ink(p).IsEmpty());
}

TEST(Text, UnderlineAddsInkBelowTheLetters)
{
    auto text = CreateTextRenderer();
    FontSpec f = Font("Arial", -20);
    ASSERT_TRUE(text->SelectFont(f));
    Picture plain = MakeFilled(120, 40, kPaper);
    text->DrawString(plain, 2, 2, "mmmm", MakeColorref(255, 255, 255));
    f.underline = true;
    ASSERT_TRUE(text->SelectFont(f));
    Picture underlined = MakeFilled(120, 40, kPaper);
    text->DrawString(underlined, 2, 2, "mmmm", MakeColorref(255, 255, 255));
    EXPECT_GT(Ink(underlined).bottom, Ink(plain).bottom);
    EXPECT_GT(InkedRows(underlined), InkedRows(plain));
}

TEST(Text, WordBreakWrapsOntoMoreLinesInsideTheRectangle)
{
    auto text = CreateTextRenderer();
    ASSERT_TRUE(text->SelectFont(Font("Arial", -16)));
    const std::string words = "several words that need room";
    const int lineHeight = text->LineHeight();

    Picture wide = MakeFilled(400, 200, kPaper);
    Rect wideRect{0, 0, 400, 200};
    EXPECT_EQ(text->DrawStringInRect(wide, wideRect, words, MakeColorref(255, 255, 255), kDtWordBreak), lineHeight);

    Picture narrow = MakeFilled(400, 200, kPaper);
    Rect narrowRect{10, 10, 90, 150};
    const int height = text->DrawStringInRect(narrow, narrowRect, words, MakeColorref(255, 255, 255), kDtWordBreak);
    EXPECT_GE(height, 3 * lineHeight);
    const Rect ink = Ink(narrow);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 2 * lineHeight);
    EXPECT_GE(ink.left, narrowRect.left);
    EXPECT_LE(ink.right, narrowRect.right);
    EXPECT_GE(ink.top, narrowRect.top);
    EXPECT_LE(ink.bottom, narrowRect.bottom);
}

TEST(Text, RectangleClipsAndCrLfBreaksLines)
{
    auto text = CreateTextRenderer();
    ASSERT_TRUE(text->SelectFont(Font("Arial", -16)));
    Picture p = MakeFilled(300, 100, kPaper);
    Rect r{0, 0, 300, 100};
    EXPECT_EQ(text->DrawStringInRect(p, r, "first\r\nsecond\r\n", MakeColorref(255, 255, 255), kDtWordBreak),
              2 * text->LineHeight());
    Picture clipped = MakeFilled(300, 100, kPaper);
    Rect small{0, 0, 300, 5};
    text->DrawStringInRect(clipped, small, "first\r\nsecond", MakeColorref(255, 255, 255), kDtWordBreak);
    EXPECT_LE(Ink(clipped).bottom, 5);

    Rect calc{0, 0, 300, 0};
    text->DrawStringInRect(p, calc, "first\r\nsecond", MakeColorref(255, 255, 255), kDtCalcRect);
    EXPECT_EQ(calc.bottom, 2 * text->LineHeight());
    EXPECT_EQ(calc.right, text->MeasureString("second").cx);
}

TEST(Text, RespectsThePicturesClipRegion)
{
    auto text = CreateTextRenderer();
    ASSERT_TRUE(text->SelectFont(Font("Arial", -30)));
    Picture p = MakeFilled(200, 50, kPaper);
    const Region clip = Region::FromRect(0, 0, 20, 50);
    p.SelectClipRgn(&clip);
    text->DrawString(p, 0, 0, "WWWWWW", MakeColorref(255, 255, 255));
    EXPECT_LE(Ink(p).right, 20);
}

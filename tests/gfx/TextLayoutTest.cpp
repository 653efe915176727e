#include <gtest/gtest.h>

#include "gfx/TextLayout.h"
#include "gfx/TextRenderer.h"

namespace {
// Every character is 10 pixels wide.
int Measure(std::string_view s)
{
    return static_cast<int>(s.size()) * 10;
}

std::vector<std::string> Break(std::string_view text, int width, bool wordBreak = true, bool singleLine = false)
{
    return BreakTextLines(text, width, wordBreak, singleLine, Measure);
}
using Lines = std::vector<std::string>;
} // namespace

TEST(TextLayout, LineBreaksAreCrLfCrAndLf)
{
    EXPECT_EQ(Break("ab\r\ncd\ref\ngh", 1000, false), (Lines{"ab", "cd", "ef", "gh"}));
    EXPECT_EQ(Break("ab\r\n", 1000), (Lines{"ab"})); // the final break starts no line
    EXPECT_EQ(Break("ab\r\n\r\n", 1000), (Lines{"ab", ""}));
    EXPECT_EQ(Break("\r\nab", 1000), (Lines{"", "ab"}));
    EXPECT_EQ(Break("", 1000), (Lines{""}));
    EXPECT_EQ(Break("ab\r\ncd", 1000, true, true), (Lines{"ab  cd"}));
}

TEST(TextLayout, WordBreakWrapsOnlyWhereALineWouldNotFit)
{
    EXPECT_EQ(Break("one two three", 1000), (Lines{"one two three"}));
    EXPECT_EQ(Break("one two three", 70), (Lines{"one two", "three"}));
    EXPECT_EQ(Break("one two three", 69), (Lines{"one", "two", "three"}));
    EXPECT_EQ(Break("one   two", 40), (Lines{"one", "two"})); // blanks at the break vanish
    EXPECT_EQ(Break("one two three", 1000, false), (Lines{"one two three"}));
}

TEST(TextLayout, LongWordsStayWhole)
{
    EXPECT_EQ(Break("a extraordinarily b", 30), (Lines{"a", "extraordinarily", "b"}));
    EXPECT_EQ(Break("extraordinarily", 0), (Lines{"extraordinarily"}));
}

TEST(TextLayout, RectangleLayoutPlacesLinesAndComputesExtent)
{
    std::vector<std::tuple<int, int, std::string>> drawn;
    Rect r{5, 7, 75, 100};
    const int h = LayOutTextInRect(r, "one two three\r\n", kDtWordBreak, 12, Measure,
                                   [&](int x, int y, const std::string& s) { drawn.emplace_back(x, y, s); });
    EXPECT_EQ(h, 24);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], std::make_tuple(5, 7, std::string("one two")));
    EXPECT_EQ(drawn[1], std::make_tuple(5, 19, std::string("three")));

    drawn.clear();
    Rect c{0, 0, 100, 0};
    LayOutTextInRect(c, "ab\nabcd", kDtCenter, 10, Measure,
                     [&](int x, int y, const std::string& s) { drawn.emplace_back(x, y, s); });
    EXPECT_EQ(std::get<0>(drawn[0]), 40);
    EXPECT_EQ(std::get<0>(drawn[1]), 30);

    drawn.clear();
    Rect calc{10, 20, 40, 20};
    EXPECT_EQ(LayOutTextInRect(calc, "aa bb cc", kDtWordBreak | kDtCalcRect, 10, Measure,
                               [&](int x, int y, const std::string& s) { drawn.emplace_back(x, y, s); }),
              30);
    EXPECT_TRUE(drawn.empty());
    EXPECT_EQ(calc, (Rect{10, 20, 30, 50}));
}

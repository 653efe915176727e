#include "config/AboutTexts.h"
#include "config/LinkTarget.h"
#include "config/PageTexts.h"

#include <gtest/gtest.h>

TEST(LinkTarget, OnlyWebAndMailAddressesAreOpened)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://example.org/", "http://example.org/"},
        {"HTTPS://Example.org/a b", "HTTPS://Example.org/a%20b"},
        {"http://x.org/\" --new-window file:C:/a", "http://x.org/%22%20--new-window%20file:C:/a"},
        {"mailto:a@b.org?subject=\"hi\"|x", "mailto:a@b.org?subject=%22hi%22%7Cx"},
        {"mailto:ann@example.org", "mailto:ann@example.org"},
        {"mailto:", "mailto:"},
        {"www.example.org", "http://www.example.org"},
        {"WWW.example.org", "http://WWW.example.org"},
        {"", nullptr},
        {"http://", nullptr},
        {"www.", nullptr},
        {"C:\\Windows\\system32\\calc.exe", nullptr},
        {"calc.exe", nullptr},
        {"\\\\server\\share\\setup.exe", nullptr},
        {"file:///C:/evil.exe", nullptr},
        {"javascript:alert(1)", nullptr},
        {" http://example.org", nullptr},
        {"http://example.org\r\nC:\\evil.exe", nullptr},
        {"example.org", nullptr},
    };
    for (const auto& [value, target] : cases) {
        const auto got = SafeLinkTarget(value);
        if (target)
            EXPECT_EQ(got.value_or("(nothing)"), target) << value;
        else
            EXPECT_FALSE(got) << value;
    }
}

TEST(AboutTexts, MemoryInWholeKilobytesBeyondFourGiB)
{
    EXPECT_EQ(MemoryText(2ull << 30), "2097152 K");
    EXPECT_EQ(MemoryText(3ull << 30), "3145728 K");
    EXPECT_EQ(MemoryText(64ull << 30), "67108864 K");
    EXPECT_EQ(MemoryText(1023), "0 K");
}

TEST(PageTexts, LineBreaksBecomeWhatAnEditBoxShows)
{
    EXPECT_EQ(EditBoxText("a\r\nb"), "a\r\nb");
    EXPECT_EQ(EditBoxText("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(EditBoxText("a\rb"), "a\r\nb");
    EXPECT_EQ(EditBoxText("a\n\r\nb"), "a\r\n\r\nb");
    EXPECT_EQ(EditBoxText(""), "");
}

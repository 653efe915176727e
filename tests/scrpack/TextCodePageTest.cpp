#include "scrpack/commands/ExtractCommand.h"
#include "scrpack/commands/PackCommand.h"
#include "scrpack/files/Utf8Path.h"
#include "scrpack/manifest/ManifestReader.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using ::testing::HasSubstr;

namespace {

struct TextCase {
    const char* title;
    int charset;
    const char* stored; // nullptr: refused
    const char* error;  // part of the message when refused
};

class TextCodePage : public ::testing::TestWithParam<TextCase> {
protected:
    TempDir dir;
    std::string Manifest(const TextCase& c) const
    {
        return "[[media]]\nname = \"a.jpg\"\nstored_name = \"\"\n[media.title]\ntext = \"" + std::string(c.title) +
            "\"\ncharset = " + std::to_string(c.charset) + "\n";
    }
};

} // namespace

TEST_P(TextCodePage, TitleIsStoredInItsCharsetsCodePage)
{
    const TextCase& c = GetParam();
    try {
        PackPlan plan = ParseManifest(Manifest(c), dir.File("show.toml"));
        ASSERT_NE(c.stored, nullptr) << "packed although refused";
        EXPECT_EQ(plan.items.at(0).texts.at("title"), c.stored);
    } catch (const ManifestError& e) {
        ASSERT_EQ(c.stored, nullptr) << e.what();
        EXPECT_THAT(e.what(), HasSubstr(std::string("show.toml:5: media[0].title.text: ") + c.error));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextCodePage,
    ::testing::Values(TextCase{"Caf\u00e9 in Z\u00fcrich", 0, "Caf\xe9 in Z\xfcrich", ""},
                      TextCase{"5 \u20ac", 0, "5 \x80", ""},                   // the euro sign of Windows-1252
                      TextCase{"5 \u20ac", 204, "5 \x88", ""},                 // ... and of Windows-1251
                      TextCase{"\u041c\u0438\u0440", 204, "\xcc\xe8\xf0", ""}, // Cyrillic in its own set
                      TextCase{"\u65e5\u672c", 128, "\x93\xfa\x96\x7b", ""},   // Shift-JIS, two bytes each
                      TextCase{"\u041c\u0438\u0440", 0, nullptr,
                               "the character \"\u041c\" (U+041C) is not in "
                               "Windows code page 1252"},
                      TextCase{"tea \U0001F375", 204, nullptr,
                               "the character \"\U0001F375\" (U+1F375) is not in Windows code page 1251"}));

TEST(TextCodePageOther, ProjectTextsAndNamesUseWindows1252AndNameTheKey)
{
    TempDir dir;
    // Named by its UTF-8 name, as the manifest names it (on Windows too).
    std::ofstream(PathFromUtf8(dir.File("") + "caf\u00e9.jpg"), std::ios::binary) << "x";
    PackPlan plan =
        ParseManifest("[project]\nauthor = \"Zo\u00eb\"\n[[media]]\nfile = \"caf\u00e9.jpg\"\n", dir.File("show.toml"));
    EXPECT_EQ(plan.project.texts.at("authorname"), "Zo\xeb");
    EXPECT_EQ(plan.items.at(0).texts.at("filename"), "caf\xe9.jpg");
    EXPECT_EQ(plan.media.at(0).name, "caf\xe9.jpg");

    try {
        ParseManifest("[project]\nname = \"x\"\nauthor = \"\u0394\"\n", dir.File("show.toml"));
        ADD_FAILURE() << "a Greek letter packed into Windows-1252";
    } catch (const ManifestError& e) {
        EXPECT_THAT(e.what(), HasSubstr("show.toml:3: project.author: the character \"\u0394\" (U+0394)"));
    }
}

TEST(TextCodePageOther, ExtractWritesUtf8AndPacksTheSameBytesAgain)
{
    TempDir dir;
    std::ostringstream err;
    dir.Write("show.toml",
              "[project]\nauthor = \"Zo\u00eb \u20ac\"\n[[media]]\nname = \"a.jpg\"\nstored_name = \"\"\n"
              "[media.title]\ntext = \"\u041c\u0438\u0440\"\ncharset = 204\n"
              "[media.description]\ntext = \"Caf\u00e9\"\n");
    ASSERT_EQ(RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err), 0) << err.str();
    ASSERT_EQ(RunExtract({dir.File("show.db"), dir.File("out")}, err), 0) << err.str();
    const std::string manifest = TempDir::Read(dir.File("out/manifest.toml"));
    EXPECT_THAT(manifest, HasSubstr("Zo\u00eb \u20ac"));
    EXPECT_THAT(manifest, HasSubstr("\u041c\u0438\u0440"));
    EXPECT_THAT(manifest, HasSubstr("Caf\u00e9"));
    ASSERT_EQ(RunPack({dir.File("out/manifest.toml"), dir.File("again.db"), ""}, err), 0) << err.str();
    EXPECT_EQ(TempDir::Read(dir.File("again.db")), TempDir::Read(dir.File("show.db")));
}

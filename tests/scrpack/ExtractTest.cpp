#include "TinyPicture.h"
#include "db/DatabaseWriter.h"
#include "scrpack/commands/ExtractCommand.h"
#include "scrpack/commands/PackCommand.h"
#include "scrpack/database/PackTables.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {

struct ExtractFixture : ::testing::Test {
    TempDir dir;
    std::ostringstream err;

    // Extracts `database` and packs the manifest again; returns the rebuilt file's bytes.
    std::string RoundTrip(const std::string& database, const std::string& runtime = "")
    {
        const std::string folder = dir.File("extracted");
        EXPECT_EQ(RunExtract({database, folder}, err), 0) << err.str();
        EXPECT_EQ(RunPack({folder + "/manifest.toml", dir.File("rebuilt.db"), runtime}, err), 0) << err.str();
        return TempDir::Read(dir.File("rebuilt.db"));
    }
};

// A show needs an item to pack: one whose file is not in the database.
void AddItemWithoutMedia(std::vector<TableContent>& tables)
{
    std::vector<TableValue> item(tables[1].fields.size());
    item[0] = TableValue(std::string(164, '\0'));
    item[1] = TableValue("absent.jpg");
    tables[1].AddRecord(item);
}

} // namespace

TEST_F(ExtractFixture, PackedProjectRebuildsByteForByte)
{
    dir.Write("a.jpg", TinyPicture(1));
    dir.Write("b.png", TinyPicture(2));
    dir.Write("bg.bmp", TinyPicture(3));
    dir.Write("song.mp3", "ID3");
    dir.Write("lib.dll", "MZ");
    dir.Write("banner.bmp", "BMbanner");
    std::string raw(328, '0');
    raw.replace(10, 8, "01abcdef"); // offset 5: play music, with arbitrary bytes behind the flag
    dir.Write("show.toml",
              R"toml(
media_order = ["unused.txt", "bg.bmp", "a.jpg", "b.png"]
[project]
name = "My Show.final.kdp"
author = { hex = "4361 66e9" }
description = "line one\nline two"
banner = "banner.bmp"
[options]
scale_mode = 2
music_pause = -5
[[background]]
file = "bg.bmp"
[[media]]
file = "a.jpg"
raw = ")toml" + raw +
                  R"toml("
pan_zoom = true
[media.title]
style = "2;1;x"
text = "Tab\there"
[media.transition]
effects = " 0; 5;"
[[media]]
file = "b.png"
name = "B.PNG"
sound = "song.mp3"
pan_zoom = { zoom = 130, from = [0, 10], to = [90, 100] }
[media.background]
images = ["bg.bmp"]
tiles = 7
[[media]]
name = "elsewhere.avi"
stored_name = ""
type = 1
[[stored_file]]
name = "unused.txt"
[[music]]
file = "song.mp3"
type = 7
[[runtime_library]]
file = "lib.dll"
[[accessory_file]]
name = "readme.txt"
)toml");
    ASSERT_EQ(RunPack({dir.File("show.toml"), dir.File("first.db"), ""}, err), 0) << err.str();
    const std::string first = TempDir::Read(dir.File("first.db"));
    EXPECT_EQ(RoundTrip(dir.File("first.db")), first);
    EXPECT_EQ(err.str(), "");
    const std::string manifest = TempDir::Read(dir.File("extracted/manifest.toml"));
    EXPECT_THAT(manifest, HasSubstr("pan_zoom = true"));
    EXPECT_THAT(manifest, HasSubstr("from = [ 0, 10 ]"));
    // Stored files come out whole.
    EXPECT_EQ(TempDir::Read(dir.File("extracted/media/a.jpg")), TinyPicture(1));
    EXPECT_EQ(TempDir::Read(dir.File("extracted/project/banner")), "BMbanner");
}

TEST_F(ExtractFixture, ProgramWithDatabaseRebuildsWithSameRuntime)
{
    dir.Write("a.jpg", TinyPicture(1));
    dir.Write("rt.scr", "MZruntime");
    dir.Write("show.toml", "[[media]]\nfile = \"a.jpg\"\n");
    ASSERT_EQ(RunPack({dir.File("show.toml"), dir.File("show.scr"), dir.File("rt.scr")}, err), 0) << err.str();
    EXPECT_EQ(RoundTrip(dir.File("show.scr"), dir.File("rt.scr")), TempDir::Read(dir.File("show.scr")));
}

TEST_F(ExtractFixture, ForeignDatabaseWithUnreferencedAndReorderedMedia)
{
    // A database from another author: short records, media in an order no manifest would give, an item
    // naming a stored path, names that differ in case.
    std::vector<TableContent> tables;
    for (const auto& layout : PackedTableLayouts())
        tables.emplace_back(layout.name, layout.fields, layout.binary);
    std::vector<TableValue> project{TableValue(std::string(80, '\x07'))};
    for (size_t i = 1; i + 1 < tables[0].fields.size(); ++i)
        project.emplace_back(std::string("t").append(std::to_string(i)));
    project.emplace_back(std::string());
    tables[0].AddRecord(project);
    auto item = [&](const std::string& name) {
        std::vector<TableValue> values{TableValue(std::string(164, '\x01'))};
        values.emplace_back(name);
        for (int i = 0; i < 11; ++i)
            values.emplace_back(std::string());
        tables[1].AddRecord(values);
    };
    item("Sea.JPG");
    item("c:\\shows\\sky.jpg");
    item("sea.jpg");
    tables[3].AddRecord({TableValue("zzz.bin"), TableValue("unused")});
    tables[3].AddRecord({TableValue("D:\\Sky.jpg"), TableValue(std::string())});
    tables[3].AddRecord({TableValue("sea.JPG"), TableValue("sea")});
    tables[5].AddRecord({TableValue("nothing.png")});
    ASSERT_TRUE(WriteDatabaseFile(dir.File("foreign.db"), tables));
    EXPECT_EQ(RoundTrip(dir.File("foreign.db")), TempDir::Read(dir.File("foreign.db")));
}

TEST_F(ExtractFixture, RefusesNonDatabasesAndUsedFolders)
{
    dir.Write("plain.txt", "hello world");
    EXPECT_EQ(RunExtract({dir.File("plain.txt"), dir.File("out")}, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("no project database"));
    EXPECT_EQ(RunExtract({dir.File("absent.db"), dir.File("out")}, err), 1);

    dir.Write("a.jpg", TinyPicture(1));
    dir.Write("show.toml", "[[media]]\nfile = \"a.jpg\"\n");
    ASSERT_EQ(RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err), 0);
    fs::create_directories(dir.Path() / "used");
    dir.Write("used/keep.txt", "mine");
    err.str("");
    EXPECT_EQ(RunExtract({dir.File("show.db"), dir.File("used")}, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("is not empty"));
    EXPECT_EQ(TempDir::Read(dir.File("used/keep.txt")), "mine");
}

TEST_F(ExtractFixture, StoredNamesNeverEscapeTheFolder)
{
    std::vector<TableContent> tables;
    for (const auto& layout : PackedTableLayouts())
        tables.emplace_back(layout.name, layout.fields, layout.binary);
    tables[3].AddRecord({TableValue("..\\..\\evil.jpg"), TableValue("x")});
    tables[3].AddRecord({TableValue("../evil.jpg"), TableValue("y")});
    tables[3].AddRecord({TableValue(".."), TableValue("z")});
    ASSERT_TRUE(WriteDatabaseFile(dir.File("evil.db"), tables));
    ASSERT_EQ(RunExtract({dir.File("evil.db"), dir.File("out/x")}, err), 0) << err.str();
    EXPECT_FALSE(fs::exists(dir.Path() / "evil.jpg"));
    EXPECT_FALSE(fs::exists(dir.Path() / "out" / "evil.jpg"));
    int files = 0;
    for (auto& entry : fs::recursive_directory_iterator(dir.Path() / "out" / "x" / "media")) {
        EXPECT_EQ(entry.path().parent_path(), dir.Path() / "out" / "x" / "media");
        ++files;
    }
    EXPECT_EQ(files, 3);
}

TEST_F(ExtractFixture, CodePageTextsThatLookLikeBrokenUtf8RoundTrip)
{
    // Windows-1252 texts whose bytes start a UTF-8 sequence the manifest parser refuses: an overlong form
    // ("À…"), a surrogate ("í" NBSP "¿") and a lead byte beyond U+10FFFF ("õ" and three more).
    const std::string texts[] = {"\xC0\x85", "\xED\xA0\xBF", "\xF5\x80\x80\x80", "\xE0\x80\x80", "\xF4\x90\x80\x80"};
    std::vector<TableContent> tables;
    for (const auto& layout : PackedTableLayouts())
        tables.emplace_back(layout.name, layout.fields, layout.binary);
    std::vector<TableValue> project{TableValue(std::string(80, '\0'))};
    for (size_t i = 1; i + 1 < tables[0].fields.size(); ++i)
        project.emplace_back(texts[i % std::size(texts)]);
    project.emplace_back(std::string());
    tables[0].AddRecord(project);
    AddItemWithoutMedia(tables);
    ASSERT_TRUE(WriteDatabaseFile(dir.File("cp.db"), tables));
    EXPECT_EQ(RoundTrip(dir.File("cp.db")), TempDir::Read(dir.File("cp.db")));
}

TEST_F(ExtractFixture, StoredNamesTooLongForAFileStillExtract)
{
    std::vector<TableContent> tables;
    for (const auto& layout : PackedTableLayouts())
        tables.emplace_back(layout.name, layout.fields, layout.binary);
    std::vector<TableValue> project{TableValue(std::string(80, '\0'))};
    project.resize(tables[0].fields.size());
    tables[0].AddRecord(project);
    AddItemWithoutMedia(tables);
    const std::string stem(300, 'n');
    tables[3].AddRecord({TableValue(stem + ".jpg"), TableValue("first")});
    tables[3].AddRecord({TableValue(stem + "x.jpg"), TableValue("second")});
    tables[4].AddRecord({TableValue(std::string(400, 'l')), TableValue("lib")});
    ASSERT_TRUE(WriteDatabaseFile(dir.File("long.db"), tables));
    EXPECT_EQ(RoundTrip(dir.File("long.db")), TempDir::Read(dir.File("long.db")));
    EXPECT_TRUE(fs::exists(dir.Path() / "extracted" / "media" / (stem.substr(0, 96) + ".jpg")));
}

// A project packed before the fades stored "every effect" as the 161 numbers 0 to 160. Its manifest names
// them one by one (the default now means 163), so that packing it again keeps exactly the old choices.
TEST_F(ExtractFixture, AnOldEveryEffectListStaysTheHistoricalOne)
{
    std::string oldList;
    for (int i = 0; i <= 160; ++i)
        oldList += std::to_string(i) + ";";
    dir.Write("a.jpg", TinyPicture(1));
    dir.Write("show.toml", "[[media]]\nfile = \"a.jpg\"\n[media.transition]\neffects = \"" + oldList + "\"\n");
    ASSERT_EQ(RunPack({dir.File("show.toml"), dir.File("old.db"), ""}, err), 0) << err.str();
    const std::string old = TempDir::Read(dir.File("old.db"));
    EXPECT_EQ(RoundTrip(dir.File("old.db")), old);
    EXPECT_THAT(TempDir::Read(dir.File("extracted/manifest.toml")), HasSubstr("160\n    ]"));
    EXPECT_NE(old.find(oldList), std::string::npos);
    EXPECT_EQ(old.find(oldList + "161;"), std::string::npos);
}

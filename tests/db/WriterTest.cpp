#include "DbBytes.h"

#include "db/DatabaseTable.h"
#include "db/DatabaseWriter.h"
#include "db/MemoryStream.h"
#include "db/ProjectDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace DbBytes;

namespace {

TableContent People()
{
    TableContent t("people", {"name", "age", "photo"}, {false, false, true});
    t.AddRecord({"Ann", U32(31), "PHOTO-ANN"});
    t.AddRecord({"", U32(0), ""});
    t.AddRecord({std::string("C\0y", 3), U32(7), Pattern(70000, 1)});
    return t;
}

// Every record of a table as "field=value|..." lines, binary values included.
std::string Dump(ProjectDatabase& db, const std::string& name)
{
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    if (!t.Open(db, name))
        return "<closed>";
    std::string out;
    t.MoveFirst();
    while (!t.IsAtEnd()) {
        for (int k = 0; k < t.GetFieldCount(); ++k) {
            const auto& field = t.GetField(k);
            std::string value;
            if (field.binary) {
                MemoryFile stream;
                t.ReadBinaryField(field.name, stream);
                value = std::string(stream.View());
            } else {
                value = std::string(field.value.View());
            }
            out += field.name + "=" + value + "|";
        }
        out += "\n";
        t.MoveNext();
    }
    return out;
}

class Writer : public ::testing::Test {
protected:
    TempDir dir_;
};

TEST_F(Writer, PlainDatabaseRoundTrips)
{
    std::string path = dir_.File("show.db");
    TableContent empty("empty", {"a"});
    ASSERT_TRUE(WriteDatabaseFile(path, {People(), empty}));
    std::string bytes = TempDir::Read(path);
    EXPECT_EQ(bytes.rfind("<database><tables>people,empty</tables>", 0), 0u);

    ProjectDatabase db;
    ASSERT_TRUE(db.Open(path, 0));
    ASSERT_EQ(db.GetTableCount(), 2);
    // The first table follows the header, the next follows the first, sizes cover the file.
    auto* people = db.GetTable(0);
    auto* second = db.GetTable(1);
    EXPECT_EQ(people->start, static_cast<std::int64_t>(bytes.find("<people>")));
    EXPECT_EQ(second->start, people->start + people->size);
    EXPECT_EQ(static_cast<std::size_t>(second->start + second->size), bytes.size());
    EXPECT_NE(bytes.find("</tables><tablestartpos>" + Num10(people->start) + "," + Num10(second->start)),
              std::string::npos);

    EXPECT_EQ(Dump(db, "people"),
              "name=Ann|age=" + U32(31) + "|photo=PHOTO-ANN|\nname=|age=" + U32(0) + "|photo=|\nname=" +
                  std::string("C\0y", 3) + "|age=" + U32(7) + "|photo=" + Pattern(70000, 1) + "|\n");
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db, "empty"));
    EXPECT_EQ(t.GetRecordCount(), 0);
    EXPECT_EQ(t.GetFieldCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("show.db_")));
}

TEST_F(Writer, ValuesTakenFromFilesAreCopiedInFull)
{
    std::string big = Pattern(1 << 20, 5);
    std::string source = dir_.Write("movie.avi", big);
    TableContent media("media", {"name", "media"}, {false, true});
    media.AddRecord({"whole", TableValue::FromFile(source)});
    media.AddRecord({"part", TableValue::FromFile(source, 100, 200000)});
    media.AddRecord({"tail", TableValue::FromFile(source, big.size() - 10)});
    std::string path = dir_.File("show.db");
    ASSERT_TRUE(WriteDatabaseFile(path, {media}));
    ProjectDatabase db;
    ASSERT_TRUE(db.Open(path, 0));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db, "media"));
    const std::string expected[] = {big, big.substr(100, 200000), big.substr(big.size() - 10)};
    for (int i = 0; i < 3; ++i) {
        t.MoveTo(i);
        MemoryStream stream;
        ASSERT_TRUE(t.ReadBinaryField("media", stream));
        EXPECT_TRUE(stream.View() == expected[i]) << i;
    }
}

TEST_F(Writer, AttachedDatabaseKeepsTheExecutableAndEndsWithTheTrailer)
{
    std::string image = Pattern(12345, 9);
    std::string exe = dir_.Write("runtime.exe", image);
    std::string out = dir_.File("show.scr");
    ASSERT_TRUE(AttachDatabase(exe, out, {People()}));
    std::string bytes = TempDir::Read(out);
    EXPECT_EQ(bytes.substr(0, image.size()), image);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), U32(12345));
    EXPECT_EQ(bytes.find("<database>"), 12345u);
    ASSERT_EQ(ReadDatabaseTrailer(out), 12345);
    ProjectDatabase db;
    ASSERT_TRUE(db.Open(out, 12345));
    EXPECT_EQ(db.FindTable("people")->start, static_cast<std::int64_t>(bytes.find("<people>")) - 12345);
    EXPECT_EQ(Dump(db, "people").substr(0, 9), "name=Ann|");
    EXPECT_EQ(TempDir::Read(exe), image);

    // Attaching over the executable itself.
    ASSERT_TRUE(AttachDatabase(exe, exe, {People()}));
    EXPECT_EQ(TempDir::Read(exe), bytes);
}

TEST_F(Writer, BadContentIsRefusedAndNothingIsLost)
{
    std::string path = dir_.Write("show.db", "previous contents");
    auto refused = [&](TableContent table, const char* why) {
        std::string error;
        EXPECT_FALSE(WriteDatabaseFile(path, {std::move(table)}, &error)) << why;
        EXPECT_FALSE(error.empty()) << why;
        EXPECT_EQ(TempDir::Read(path), "previous contents") << why;
        EXPECT_FALSE(std::filesystem::exists(dir_.File("show.db_"))) << why;
    };
    refused(TableContent("a,b", {"x"}), "comma in a table name");
    refused(TableContent("", {"x"}), "empty table name");
    refused(TableContent("t", {"x", "x"}), "twin fields");
    refused(TableContent("t", {"x<y"}), "tag character in a field name");
    refused(TableContent("t", {"x"}, {true, true}), "more flags than fields");
    TableContent wrongCount("t", {"x", "y"});
    wrongCount.AddRecord({"only one"});
    refused(wrongCount, "record with too few values");
    TableContent missing("t", {"x"});
    missing.AddRecord({TableValue::FromFile(dir_.File("absent.bin"))});
    refused(missing, "value from a missing file");
    std::string small = dir_.Write("small.bin", "12345");
    TableContent tooLong("t", {"x"});
    tooLong.AddRecord({TableValue::FromFile(small, 2, 10)});
    refused(tooLong, "value longer than its file");
    refused(TableContent("t", {std::string(1100, 'f')}), "head beyond 1024 bytes");

    std::vector<TableContent> many;
    for (int i = 0; i < 60; ++i)
        many.emplace_back("table" + std::to_string(i), std::vector<std::string>{"x"});
    EXPECT_FALSE(WriteDatabaseFile(path, many)); // header beyond 1024 bytes
    EXPECT_EQ(TempDir::Read(path), "previous contents");
}

TEST_F(Writer, RebuildTakesPreparedTablesAndKeepsTheRest)
{
    std::string exe = dir_.Write("runtime.exe", Pattern(777, 2));
    std::string path = dir_.File("show.scr");
    TableContent pets("pets", {"kind"});
    pets.AddRecord({"cat"});
    ASSERT_TRUE(AttachDatabase(exe, path, {People(), pets}));
    std::string before = TempDir::Read(path);
    ProjectDatabase old;
    ASSERT_TRUE(old.Open(path, 777));
    std::string peopleBefore = Dump(old, "people");
    old.Close();

    TableContent newPets("pets", {"kind", "legs"});
    newPets.AddRecord({"spider", U32(8)});
    newPets.AddRecord({"snake", U32(0)});
    std::string prepared = PreparedTablePath(path, "pets");
    EXPECT_EQ(prepared, dir_.File("pets.m__"));
    ASSERT_TRUE(WriteTableFile(newPets, prepared));
    std::string error;
    ASSERT_TRUE(RebuildDatabase(path, 777, &error)) << error;
    EXPECT_FALSE(std::filesystem::exists(prepared));
    EXPECT_FALSE(std::filesystem::exists(PendingDatabasePath(path)));

    std::string after = TempDir::Read(path);
    EXPECT_EQ(after.substr(0, 777), before.substr(0, 777));
    ASSERT_EQ(ReadDatabaseTrailer(path), 777);
    ProjectDatabase db;
    ASSERT_TRUE(db.Open(path, 777));
    EXPECT_EQ(Dump(db, "people"), peopleBefore);
    EXPECT_EQ(Dump(db, "pets"), "kind=spider|legs=" + U32(8) + "|\nkind=snake|legs=" + U32(0) + "|\n");

    // Without prepared tables a rebuild gives the same bytes.
    ASSERT_TRUE(RebuildDatabase(path, 777));
    EXPECT_EQ(TempDir::Read(path), after);
    EXPECT_FALSE(RebuildDatabase(dir_.File("absent.scr"), 0));
    EXPECT_FALSE(RebuildDatabase(exe, 0)); // no database there
}

TEST_F(Writer, PendingAndPreparedPaths)
{
    EXPECT_EQ(PendingDatabasePath("C:\\shows\\autumn.scr"), "C:\\shows\\autumn.db_");
    EXPECT_EQ(PendingDatabasePath("C:\\my.shows\\autumn"), "C:\\my.shows\\autumn.db_");
    EXPECT_EQ(PendingDatabasePath("autumn.tar.scr"), "autumn.tar.db_");
    EXPECT_EQ(PreparedTablePath("C:\\shows\\autumn.scr", "media"), "C:\\shows\\media.m__");
    EXPECT_EQ(PreparedTablePath("autumn.scr", "media"), "media.m__");
    std::string error;
    EXPECT_FALSE(WriteDatabaseFile(dir_.File("x.db_"), {}, &error));
}

} // namespace

#include "DbBytes.h"

#include "db/DatabaseTable.h"
#include "db/MemoryStream.h"
#include "db/ProjectDatabase.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace DbBytes;

namespace {

class Reader : public ::testing::Test {
protected:
    // Writes bytes as the database file and opens it at base 0.
    void OpenDb(const std::string& bytes, std::uint32_t base = 0)
    {
        path_ = dir_.Write("db.scr", bytes);
        ASSERT_TRUE(db_.Open(path_, base));
    }
    static std::string People()
    {
        return Table("people", "name,age,photo", "001",
                     {{"Ann", U32(31), "PHOTO-ANN"}, {"Bob", U32(42), ""}, {"Cy", U32(7), "PHOTO-CY"}});
    }

    TempDir dir_;
    std::string path_;
    ProjectDatabase db_;
};

// ---------------------------------------------------------------- the directory

TEST_F(Reader, HeaderNumbersAreReadPastTheirLeadingBlanks)
{
    std::string table = People();
    std::string header = "<database><tables>people</tables><tablestartpos>       300</tablestartpos><tablesize>" +
        Num10(static_cast<long long>(table.size())) + "</tablesize></database>";
    header.resize(300, ' ');
    OpenDb(header + table);
    ASSERT_EQ(db_.GetTableCount(), 1);
    EXPECT_EQ(db_.GetTable(0)->start, 300);
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "people"));
    EXPECT_EQ(t.GetFieldString("name"), "Ann");
}

TEST_F(Reader, NamesAreMatchedExactlyAndTheFirstOfTwinsWins)
{
    OpenDb(Header({"media", "Media", "media", ""}, {1, 2, 3, 4}, {10, 20, 30, 40}));
    ASSERT_EQ(db_.GetTableCount(), 4);
    EXPECT_EQ(db_.FindTable("media")->start, 1);
    EXPECT_EQ(db_.FindTable("Media")->start, 2);
    EXPECT_EQ(db_.FindTable("MEDIA"), nullptr);
    EXPECT_EQ(db_.FindTable("")->start, 4); // an empty piece is a table too
    EXPECT_THROW(db_.GetTable(4), std::invalid_argument);
}

TEST_F(Reader, MissingTagPairsLeaveTheirStepUndone)
{
    OpenDb("<database><tables>a,b</tables><tablesize>5,6</tablesize></database>");
    ASSERT_EQ(db_.GetTableCount(), 2);
    EXPECT_EQ(db_.GetTable(0)->start, -1);
    EXPECT_EQ(db_.GetTable(1)->size, 6);
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "a")); // nowhere to read from: an empty table
    EXPECT_EQ(t.GetFieldCount(), 0);

    OpenDb("<database><tablestartpos>1</tablestartpos></database>");
    EXPECT_EQ(db_.GetTableCount(), 0);
    EXPECT_TRUE(db_.HasHeader());
}

TEST_F(Reader, HeaderEndsAtItsFirstZeroByteOrAfter1024Bytes)
{
    OpenDb("<database><tables>a,b</tables>" + std::string(1, '\0') + "<tablestartpos>1,2</tablestartpos>");
    EXPECT_EQ(db_.GetTable(0)->start, -1);
    // The closing tag lies past the 1024 bytes read.
    OpenDb("<database><tables>" + std::string(1010, 'a') + "</tables>");
    EXPECT_EQ(db_.GetTableCount(), 0);
}

TEST_F(Reader, MissingFileOpensWithNoTablesAndTablesStayClosed)
{
    ASSERT_TRUE(db_.Open(dir_.File("absent.scr"), 0));
    EXPECT_EQ(db_.GetTableCount(), 0);
    DatabaseTable t;
    EXPECT_FALSE(t.Open(db_, "project"));
    EXPECT_TRUE(t.IsClosed());
    EXPECT_EQ(t.GetRecordCount(), 0);
    t.MoveFirst();
    EXPECT_TRUE(t.IsAtEnd());
}

TEST_F(Reader, TrailerIsTheLastFourBytes)
{
    EXPECT_EQ(ReadDatabaseTrailer(dir_.File("absent")), -1);
    EXPECT_EQ(ReadDatabaseTrailer(dir_.Write("short", "abc")), -1);
    EXPECT_EQ(ReadDatabaseTrailer(dir_.Write("four", U32(0xFFFFFFFF))), 0xFFFFFFFFll);
    EXPECT_EQ(ReadDatabaseTrailer(dir_.Write("more", "xyz" + U32(1234))), 1234);
}

TEST_F(Reader, DatabaseAfterAnExecutableImage)
{
    std::string image = Pattern(5000, 4);
    std::string db = Database({{"people", People()}});
    path_ = dir_.Write("show.scr", image + db + U32(5000));
    ASSERT_TRUE(db_.Open(path_, static_cast<std::uint32_t>(ReadDatabaseTrailer(path_))));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db_, "people"));
    t.MoveTo(2);
    MemoryFile photo;
    ASSERT_TRUE(t.ReadBinaryField("photo", photo));
    EXPECT_EQ(photo.View(), "PHOTO-CY");
}

// ---------------------------------------------------------------- table heads

TEST_F(Reader, TableWithoutHeadOpensEmpty)
{
    OpenDb(Database({{"junk", Pattern(200, 5)}, {"people", People()}}));
    DatabaseTable junk;
    ASSERT_TRUE(junk.Open(db_, "junk"));
    EXPECT_FALSE(junk.IsClosed());
    EXPECT_EQ(junk.GetFieldCount(), 0);
    EXPECT_EQ(junk.GetRecordCount(), 0);
    EXPECT_THROW(junk.GetFieldString("name"), std::invalid_argument);
    DatabaseTable other;
    EXPECT_FALSE(other.Open(db_, "nothere"));
}

TEST_F(Reader, FieldsWithoutAFlagCharacterAreText)
{
    OpenDb(Database({{"t", Table("t", "a,b,c", "1", {{"x", "yy", "zzz"}})}}));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_TRUE(t.GetField(0).binary);
    EXPECT_FALSE(t.GetField(1).binary);
    EXPECT_FALSE(t.GetField(2).binary);
    EXPECT_EQ(t.GetFieldString("c"), "zzz");
    EXPECT_EQ(t.GetFieldString("a"), ""); // left on disk
    EXPECT_EQ(t.GetFieldLength("a"), 1u);
}

TEST_F(Reader, EmptyTableHasNoIndexAndMoveFirstEndsAtOnce)
{
    std::string table = Table("none", "a", "0", {});
    EXPECT_NE(table.find("<recordinfo></recordinfo>"), std::string::npos);
    OpenDb(Database({{"none", table}}));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "none"));
    EXPECT_EQ(t.GetRecordCount(), 0);
    EXPECT_EQ(t.GetCurrentIndex(), -1);
    t.MoveFirst();
    EXPECT_TRUE(t.IsAtEnd());
    EXPECT_EQ(t.GetCurrentIndex(), -1);
}

TEST_F(Reader, ZeroByteInTheHeadHidesWhatFollows)
{
    std::string table = Table("t", "a", "0", {{"x"}});
    table.insert(table.find("<recordcount>"), 1, '\0');
    OpenDb(Database({{"t", table}}));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetFieldCount(), 1);
    EXPECT_EQ(t.GetRecordCount(), 0);
}

// ---------------------------------------------------------------- moving

TEST_F(Reader, UsualReadingPatternVisitsEveryRecordOnce)
{
    OpenDb(Database({{"people", People()}}));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db_, "people"));
    EXPECT_EQ(t.GetCurrentIndex(), 0); // opening loads the first record
    std::string names;
    if (t.GetRecordCount() != 0) {
        t.MoveFirst();
        while (!t.IsAtEnd()) {
            names += t.GetFieldString("name") + ":" + std::to_string(t.ReadFieldInt("age")) + " ";
            t.MoveNext();
        }
    }
    EXPECT_EQ(names, "Ann:31 Bob:42 Cy:7 ");
    // Past the last record the last one stays current.
    EXPECT_EQ(t.GetCurrentIndex(), 2);
    EXPECT_EQ(t.GetFieldString("name"), "Cy");
}

TEST_F(Reader, MovesOutsideTheRecordsSetTheFlagsAndKeepTheRecord)
{
    OpenDb(Database({{"people", People()}}));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "people"));
    t.MovePrev();
    EXPECT_TRUE(t.IsAtBegin());
    EXPECT_FALSE(t.IsAtEnd());
    EXPECT_EQ(t.GetCurrentIndex(), 0);
    EXPECT_EQ(t.MoveTo(7), 0);
    EXPECT_TRUE(t.IsAtEnd());
    EXPECT_FALSE(t.IsAtBegin());
    // Moving to the current record changes nothing, not even the flags.
    EXPECT_EQ(t.MoveTo(0), 0);
    EXPECT_TRUE(t.IsAtEnd());
    EXPECT_EQ(t.MoveTo(2), 2);
    EXPECT_FALSE(t.IsAtEnd());
    EXPECT_EQ(t.GetFieldString("name"), "Cy");
    t.MoveFirst();
    EXPECT_EQ(t.GetCurrentIndex(), 0);
    EXPECT_FALSE(t.IsAtEnd());
    EXPECT_EQ(t.GetFieldString("name"), "Ann");
}

TEST_F(Reader, TwoTablesOpenAtOnceKeepTheirOwnPlace)
{
    std::string other = Table("pets", "kind", "0", {{"cat"}, {"dog"}, {"eel"}});
    OpenDb(Database({{"people", People()}, {"pets", other}}));
    DatabaseTable people, pets;
    people.SetLoadBinaryFields(false);
    ASSERT_TRUE(people.Open(db_, "people"));
    ASSERT_TRUE(pets.Open(db_, "pets"));
    std::string seen;
    people.MoveFirst();
    pets.MoveFirst();
    while (!people.IsAtEnd() && !pets.IsAtEnd()) {
        MemoryFile photo;
        people.ReadBinaryField("photo", photo);
        seen +=
            people.GetFieldString("name") + "/" + pets.GetFieldString("kind") + "/" + std::string(photo.View()) + " ";
        people.MoveNext();
        pets.MoveNext();
    }
    EXPECT_EQ(seen, "Ann/cat/PHOTO-ANN Bob/dog/ Cy/eel/PHOTO-CY ");
}

TEST_F(Reader, ClosingTheDatabaseLeavesOpenTablesReadable)
{
    OpenDb(Database({{"people", People()}}));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "people"));
    EXPECT_EQ(db_.FindTable("people")->openedBy, &t);
    db_.Close();
    t.MoveNext();
    EXPECT_EQ(t.GetFieldString("name"), "Bob");
    t.Close();
    EXPECT_TRUE(t.IsClosed());
    EXPECT_EQ(t.GetRecordCount(), 0);
}

// ---------------------------------------------------------------- field values

TEST_F(Reader, TextValuesEndAtTheirFirstZeroByte)
{
    OpenDb(Database({{"t", Table("t", "a,b,c", "000", {{"", std::string("ab\0cd", 5), "plain"}})}}));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetFieldString("a"), "");
    EXPECT_EQ(t.GetFieldString("b"), "ab");
    EXPECT_EQ(t.GetFieldLength("b"), 5u);
    EXPECT_EQ(t.GetFieldString("c"), "plain");
}

TEST_F(Reader, CopyFieldBytesIsCutToTheDestination)
{
    OpenDb(Database({{"t", Table("t", "long,short,int", "000", {{"0123456789", "ab", std::string("\x01\x02", 2)}})}}));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    char small[4] = {'-', '-', '-', '-'};
    EXPECT_EQ(t.CopyFieldBytes("long", small, 3), 3u);
    EXPECT_EQ(std::string(small, 4), "012-");
    char big[6] = {'-', '-', '-', '-', '-', '-'};
    EXPECT_EQ(t.CopyFieldBytes("short", big, sizeof big), 2u);
    EXPECT_EQ(std::string(big, 6), "ab----");
    EXPECT_EQ(t.ReadFieldInt("int"), 0x0201); // missing high bytes count as zero
    EXPECT_EQ(t.ReadFieldInt("long"), 0x33323130);
}

TEST_F(Reader, UnknownFieldNamesThrowWithoutDisturbingTheTable)
{
    OpenDb(Database({{"people", People()}}));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db_, "people"));
    MemoryFile stream;
    char buffer[4];
    EXPECT_EQ(t.FindField("Name"), -1);
    EXPECT_THROW(t.GetFieldString("Name"), std::invalid_argument);
    EXPECT_THROW(t.CopyFieldBytes("x", buffer, 4), std::invalid_argument);
    EXPECT_THROW(t.ReadFieldInt("x"), std::invalid_argument);
    EXPECT_THROW(t.ReadBinaryField("x", stream), std::invalid_argument);
    EXPECT_THROW(t.GetField(3), std::invalid_argument);
    EXPECT_EQ(stream.GetSize(), 0u);
    t.MoveNext();
    EXPECT_EQ(t.GetFieldString("name"), "Bob");
}

TEST_F(Reader, ReadBinaryFieldRefusesTextAndEmptyValuesAndAppendsOtherwise)
{
    OpenDb(Database({{"people", People()}}));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db_, "people"));
    MemoryFile stream;
    stream.Write("old:", 4);
    EXPECT_FALSE(t.ReadBinaryField("name", stream));
    EXPECT_EQ(stream.View(), "old:");
    ASSERT_TRUE(t.ReadBinaryField("photo", stream));
    EXPECT_EQ(stream.View(), "old:PHOTO-ANN");
    t.MoveNext();
    EXPECT_FALSE(t.ReadBinaryField("photo", stream)); // Bob has none
    EXPECT_EQ(stream.View(), "old:PHOTO-ANN");
}

TEST_F(Reader, BinaryValuesLoadedWithTheRecordWhenAsked)
{
    OpenDb(Database({{"people", People()}}));
    DatabaseTable t; // loads binary values by default
    ASSERT_TRUE(t.Open(db_, "people"));
    EXPECT_EQ(t.GetField(2).value.View(), "PHOTO-ANN");
    EXPECT_EQ(t.GetFieldLength("photo"), 9u);
    MemoryStream stream;
    ASSERT_TRUE(t.ReadBinaryField("photo", stream));
    EXPECT_EQ(stream.View(), "PHOTO-ANN");
}

TEST_F(Reader, LargeBinaryValueIsCopiedWhole)
{
    std::string big = Pattern(300000, 12);
    OpenDb(Database({{"m", Table("m", "name,media", "01", {{"a", big}, {"b", "tail"}})}}));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db_, "m"));
    std::size_t pieces = 0, largest = 0;
    std::string copy;
    ASSERT_TRUE(t.ReadBinaryField("media", [&](const void* data, std::size_t size) {
        ++pieces;
        largest = std::max(largest, size);
        copy.append(static_cast<const char*>(data), size);
        return true;
    }));
    EXPECT_TRUE(copy == big);
    EXPECT_LE(largest, 65536u);
    EXPECT_GE(pieces, 5u);
    // A sink that refuses stops the copy and reports it.
    EXPECT_FALSE(t.ReadBinaryField("media", [](const void*, std::size_t) { return false; }));
}

} // namespace

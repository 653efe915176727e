// Databases are files from anyone: whatever they hold, reading stays inside the table it belongs to,
// allocates no more than the file can back, and yields fewer records or empty values instead of failing.
#include "DbBytes.h"

#include "db/DatabaseTable.h"
#include "db/MemoryStream.h"
#include "db/ProjectDatabase.h"

#include <gtest/gtest.h>

using namespace DbBytes;

namespace {

class Malformed : public ::testing::Test {
protected:
    void OpenDb(const std::string& bytes, std::uint32_t base = 0)
    {
        path_ = dir_.Write("db.scr", bytes);
        ASSERT_TRUE(db_.Open(path_, base));
    }
    // One table "t" at the given position and size, its bytes placed right after the header.
    void OpenOneTable(const std::string& table, long long start, long long size)
    {
        std::string header = Header({"t"}, {start}, {size});
        std::string bytes = header + table;
        OpenDb(bytes);
    }
    long long HeaderSize() const { return static_cast<long long>(Header({"t"}, {0}, {0}).size()); }
    // The whole walk a caller does; returns the names seen.
    std::string Walk(DatabaseTable& t)
    {
        std::string seen;
        t.MoveFirst();
        while (!t.IsAtEnd()) {
            seen.append("[").append(t.GetFieldString("name")).append("]");
            t.MoveNext();
        }
        return seen;
    }

    TempDir dir_;
    std::string path_;
    ProjectDatabase db_;
};

TEST_F(Malformed, TrailerBeyondTheEndGivesNoTables)
{
    std::string bytes = Database({{"t", Table("t", "name", "0", {{"a"}})}});
    path_ = dir_.Write("db.scr", bytes + U32(0x7FFFFFF0));
    ASSERT_TRUE(db_.Open(path_, static_cast<std::uint32_t>(ReadDatabaseTrailer(path_))));
    EXPECT_FALSE(db_.HasHeader());
    EXPECT_EQ(db_.GetTableCount(), 0);
    ASSERT_TRUE(db_.Open(path_, 0xFFFFFFFFu)); // what start-up passes when the trailer cannot be read
    EXPECT_EQ(db_.GetTableCount(), 0);
}

TEST_F(Malformed, HeaderWithoutZeroByteOrClosingTags)
{
    OpenDb("<database><tables>a,b,c" + std::string(2000, 'x'));
    EXPECT_EQ(db_.GetTableCount(), 0);
    OpenDb(std::string(1024, '<'));
    EXPECT_EQ(db_.GetTableCount(), 0);
    OpenDb("");
    EXPECT_EQ(db_.GetTableCount(), 0);
}

TEST_F(Malformed, UnusablePositionsAndSizesOpenAsEmptyTables)
{
    std::string table = Table("t", "name", "0", {{"a"}});
    OpenDb("<database><tables>neg,text,huge,negsize,few</tables><tablestartpos>-5,  12x,99999999999,100"
           "</tablestartpos><tablesize>10,10,10,-1</tablesize></database>" +
           table);
    ASSERT_EQ(db_.GetTableCount(), 5);
    EXPECT_EQ(db_.GetTable(0)->start, -1);
    EXPECT_EQ(db_.GetTable(1)->start, -1);
    EXPECT_EQ(db_.GetTable(2)->start, -1);
    EXPECT_EQ(db_.GetTable(3)->size, -1);
    EXPECT_EQ(db_.GetTable(4)->start, -1); // more names than positions
    for (const char* name : {"neg", "text", "huge", "negsize", "few"}) {
        DatabaseTable t;
        ASSERT_TRUE(t.Open(db_, name)) << name;
        EXPECT_EQ(t.GetFieldCount(), 0) << name;
        EXPECT_EQ(t.GetRecordCount(), 0) << name;
        EXPECT_EQ(t.GetTableSize(), 0u) << name;
    }
}

TEST_F(Malformed, TableStartingBeyondTheEndIsEmpty)
{
    OpenOneTable(Table("t", "name", "0", {{"a"}}), 1000000, 50);
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetRecordCount(), 0);
}

TEST_F(Malformed, TableSizeBeyondTheEndIsCutAtTheEnd)
{
    std::string table = Table("t", "name", "0", {{"a"}, {"b"}});
    OpenOneTable(table, HeaderSize(), 0xFFFFFFFFll);
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetTableSize(), table.size());
    EXPECT_EQ(Walk(t), "[a][b]");
}

TEST_F(Malformed, TooSmallTableSizeKeepsRecordsOutsideItUnread)
{
    std::string table = Table("t", "name", "0", {{"first"}, {"second"}});
    // Cut the table in the middle of the second record's value.
    std::size_t cut = table.find("second") + 3;
    OpenOneTable(table, HeaderSize(), static_cast<long long>(cut));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    ASSERT_EQ(t.GetRecordCount(), 2);
    EXPECT_EQ(Walk(t), "[first][sec]");
}

TEST_F(Malformed, OverlappingTablesAreEachReadWithinTheirOwnBytes)
{
    std::string table = Table("t", "name", "0", {{"a"}});
    long long header = static_cast<long long>(Header({"t", "u"}, {0, 0}, {0, 0}).size());
    OpenDb(Header({"t", "u"}, {header, header}, {static_cast<long long>(table.size()), 20}) + table);
    DatabaseTable t, u;
    ASSERT_TRUE(t.Open(db_, "t"));
    ASSERT_TRUE(u.Open(db_, "u"));
    EXPECT_EQ(Walk(t), "[a]");
    // "u" has the same first bytes, but its 20 bytes end before the head does.
    EXPECT_EQ(u.GetFieldCount(), 0);
}

TEST_F(Malformed, RecordCountLargerThanTheTableCanHold)
{
    std::string table = Table("t", "name", "0", {{"a"}, {"b"}});
    for (const char* count : {"2147483647", "99999999999999999999", "-3", "x"}) {
        std::string forged = table;
        forged.replace(forged.find("<recordcount>2"), 14, std::string("<recordcount>") + count);
        OpenOneTable(forged, HeaderSize(), static_cast<long long>(forged.size()));
        DatabaseTable t;
        ASSERT_TRUE(t.Open(db_, "t")) << count;
        // Never more index entries than the bytes after "<recordinfo>" hold.
        std::size_t room = (forged.size() - (forged.find("<recordinfo>") + 12)) / 8;
        EXPECT_LE(static_cast<std::size_t>(t.GetRecordCount()), room) << count;
        if (std::string(count) == "2147483647") {
            EXPECT_EQ(static_cast<std::size_t>(t.GetRecordCount()), room);
            for (int i = 0; i < t.GetRecordCount(); ++i)
                t.MoveTo(i); // the rest are whatever the bytes say; reading them stays in bounds
        } else {
            EXPECT_EQ(t.GetRecordCount(), 0) << count;
        }
    }
}

TEST_F(Malformed, RecordIndexPointingOutsideTheTable)
{
    std::string table = Table("t", "name", "0", {{"a"}, {"b"}, {"c"}});
    std::size_t index = table.find("<recordinfo>") + 12;
    table.replace(index, 4, U32(0xFFFFFFF0));         // record 0 far beyond
    table.replace(index + 8 + 4, 4, U32(0xFFFFFFFF)); // record 1 claims 4 GiB
    std::string after = Table("next", "name", "0", {{"NEXT"}});
    std::string header = Header({"t", "next"}, {0, 0}, {0, 0});
    long long h = static_cast<long long>(header.size());
    OpenDb(Header({"t", "next"}, {h, h + static_cast<long long>(table.size())},
                  {static_cast<long long>(table.size()), static_cast<long long>(after.size())}) +
           table + after);
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    ASSERT_EQ(t.GetRecordCount(), 3);
    EXPECT_EQ(t.GetFieldString("name"), ""); // not read, and nothing left from elsewhere
    t.MoveTo(1);
    EXPECT_EQ(t.GetFieldString("name"), "b");
    t.MoveTo(2);
    EXPECT_EQ(t.GetFieldString("name"), "c");
    t.MoveTo(0);
    EXPECT_EQ(t.GetFieldString("name"), ""); // not the previous record's value
}

TEST_F(Malformed, FieldLengthsBeyondTheRecord)
{
    // name claims 3 bytes, photo claims nearly 4 GiB, note follows: the record holds far less.
    std::string record = U32(3) + U32(0xFFFFFFF0) + U32(4) + "abc" + "PHOTO" + "note";
    std::string head = "<t><head><fields>name,photo,note</fields><binfields>010</binfields>"
                       "<recordcount>1</recordcount></head><recordinfo>";
    std::uint32_t offset = static_cast<std::uint32_t>(head.size() + 8 + 19);
    std::string table = head + U32(offset) + U32(static_cast<std::uint32_t>(record.size())) + "</recordinfo><data>" +
        record + "</data></t>";
    OpenOneTable(table, HeaderSize(), static_cast<long long>(table.size()));
    for (bool loadBinary : {false, true}) {
        DatabaseTable t;
        t.SetLoadBinaryFields(loadBinary);
        ASSERT_TRUE(t.Open(db_, "t"));
        EXPECT_EQ(t.GetFieldString("name"), "abc");
        // The photo is cut at the end of the record; what comes after it in the record index is empty.
        EXPECT_EQ(t.GetFieldLength("photo"), 9u);
        MemoryFile photo;
        EXPECT_TRUE(t.ReadBinaryField("photo", photo));
        EXPECT_EQ(photo.View(), "PHOTOnote");
        EXPECT_EQ(t.GetFieldString("note"), "");
    }
}

TEST_F(Malformed, RecordShorterThanItsLengthArray)
{
    std::string head = "<t><head><fields>name,a,b,c</fields><binfields>0000</binfields>"
                       "<recordcount>1</recordcount></head><recordinfo>";
    std::uint32_t offset = static_cast<std::uint32_t>(head.size() + 8 + 19);
    std::string table = head + U32(offset) + U32(6) + "</recordinfo><data>" + U32(2) + "xy" + "</data></t>";
    OpenOneTable(table, HeaderSize(), static_cast<long long>(table.size()));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetFieldString("name"), "");
    EXPECT_EQ(t.GetFieldString("c"), "");
}

TEST_F(Malformed, IndexCutByTheEndOfTheFile)
{
    std::string table = Table("t", "name", "0", {{"a"}, {"b"}});
    std::string cut = table.substr(0, table.find("<recordinfo>") + 12 + 8 + 5);
    OpenOneTable(cut, HeaderSize(), static_cast<long long>(table.size()));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetRecordCount(), 1);
    EXPECT_EQ(Walk(t), "[]");
}

TEST_F(Malformed, TruncatedFileGivesFewerBytesNotAFailure)
{
    std::string value = Pattern(100000, 3);
    std::string table = Table("t", "name,media", "01", {{"a", value}});
    std::string full = Database({{"t", table}});
    OpenDb(full.substr(0, full.size() - 40000));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetFieldString("name"), "a");
    MemoryStream stream;
    ASSERT_TRUE(t.ReadBinaryField("media", stream));
    EXPECT_LT(stream.GetSize(), value.size());
    EXPECT_TRUE(stream.View() == std::string_view(value).substr(0, stream.GetSize()));
}

TEST_F(Malformed, ManyFieldsAndOddHeadsStayBounded)
{
    std::string fields(900, ','); // 901 empty field names
    std::string table = "<t><head><fields>" + fields + "</fields><binfields>1</binfields></head>";
    OpenOneTable(table, HeaderSize(), static_cast<long long>(table.size()));
    DatabaseTable t;
    ASSERT_TRUE(t.Open(db_, "t"));
    EXPECT_EQ(t.GetFieldCount(), 901);
    EXPECT_EQ(t.GetRecordCount(), 0);
    EXPECT_EQ(t.FindField(""), 0);
}

} // namespace

#include "DbBytes.h"

#include "db/DatabaseTable.h"
#include "db/DiskFile.h"
#include "db/MemoryFile.h"
#include "db/MemoryStream.h"
#include "db/ProjectDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace DbBytes;

namespace {

TEST(MemFile, GrowsInWholeStepsAndKeepsItsBytes)
{
    MemoryFile file;
    std::string data = Pattern(100000, 4);
    for (std::size_t done = 0; done < data.size(); done += 777)
        ASSERT_TRUE(file.Write(data.data() + done, std::min<std::size_t>(777, data.size() - done)));
    EXPECT_TRUE(file.View() == data);
    EXPECT_EQ(file.GetPosition(), data.size());
    // Writing past the end leaves zeros in the gap.
    file.Seek(data.size() + 3);
    file.Write("z", 1);
    EXPECT_EQ(file.View().substr(data.size()), std::string("\0\0\0z", 4));
    file.Seek(10);
    char buffer[5];
    EXPECT_EQ(file.Read(buffer, 5), 5u);
    EXPECT_EQ(std::string(buffer, 5), data.substr(10, 5));
    file.Seek(file.GetLength() - 2);
    EXPECT_EQ(file.Read(buffer, 5), 2u);
    EXPECT_TRUE(file.SetLength(4));
    EXPECT_EQ(file.View(), data.substr(0, 4));
    EXPECT_TRUE(file.SetLength(6));
    EXPECT_EQ(file.View(), data.substr(0, 4) + std::string(2, '\0'));
    // A length no memory can hold is refused, not attempted.
    EXPECT_FALSE(file.SetLength(~std::uint64_t{0}));
    EXPECT_EQ(file.GetLength(), 6u);
}

TEST(Stream, SavesItsWholeContents)
{
    TempDir dir;
    MemoryStream stream;
    std::string data = Pattern(200000, 8);
    stream.Write(data.data(), data.size());
    ASSERT_TRUE(stream.SaveToFile(dir.File("copy.mp3")));
    EXPECT_TRUE(TempDir::Read(dir.File("copy.mp3")) == data);
    EXPECT_FALSE(stream.SaveToFile(dir.File("no/such/folder/copy.mp3")));
}

TEST(DiskFile, ReadsWritesAndReplaces)
{
    TempDir dir;
    DiskFile file;
    EXPECT_FALSE(file.Open(dir.File("absent"), DiskFile::kModeRead));
    EXPECT_FALSE(DiskFile::Exists(dir.File("absent")));
    EXPECT_EQ(DiskFile::SizeOf(dir.File("absent")), -1);
    EXPECT_FALSE(file.Open(dir.Path().string(), DiskFile::kModeRead)); // a folder is not a file
    ASSERT_TRUE(file.Open(dir.File("a"), DiskFile::kModeWrite | DiskFile::kModeCreate));
    ASSERT_TRUE(file.Write("hello world", 11));
    // A second reader on the same file while the writer holds it.
    DiskFile reader;
    ASSERT_TRUE(reader.Open(dir.File("a"), DiskFile::kModeRead));
    char buffer[16];
    EXPECT_EQ(reader.ReadAt(6, buffer, 16), 5u);
    EXPECT_EQ(std::string(buffer, 5), "world");
    reader.Close();
    file.Close();
    dir.Write("b", "other");
    ASSERT_TRUE(DiskFile::Replace(dir.File("a"), dir.File("b")));
    EXPECT_EQ(TempDir::Read(dir.File("b")), "hello world");
    EXPECT_FALSE(DiskFile::Exists(dir.File("a")));
    EXPECT_TRUE(DiskFile::Remove(dir.File("b")));
}

// The base offset and positions past 2 GiB are read as unsigned, so a database at the end of a large
// (sparse) file is found and read.
TEST(DiskFile, DatabaseBeyondTwoGigabytes)
{
    TempDir dir;
    const std::uint32_t base = 0xC0000000u; // 3 GiB
    std::string path = dir.File("big.scr");
    {
        DiskFile file;
        ASSERT_TRUE(file.Open(path, DiskFile::kModeRead | DiskFile::kModeWrite | DiskFile::kModeCreate));
        if (!file.SetLength(base))
            GTEST_SKIP() << "no room for a sparse 3 GiB file";
        std::string db = Database({{"m", Table("m", "name,media", "01", {{"x", "BYTES"}, {"y", "MORE"}})}}) + U32(base);
        ASSERT_TRUE(file.Seek(base));
        ASSERT_TRUE(file.Write(db.data(), db.size()));
        EXPECT_EQ(file.GetLength(), base + db.size());
    }
    ASSERT_EQ(ReadDatabaseTrailer(path), base);
    ProjectDatabase db;
    ASSERT_TRUE(db.Open(path, base));
    DatabaseTable t;
    t.SetLoadBinaryFields(false);
    ASSERT_TRUE(t.Open(db, "m"));
    t.MoveNext();
    EXPECT_EQ(t.GetFieldString("name"), "y");
    EXPECT_GT(t.GetField(1).position, 0xC0000000u);
    MemoryFile media;
    ASSERT_TRUE(t.ReadBinaryField("media", media));
    EXPECT_EQ(media.View(), "MORE");
}

} // namespace

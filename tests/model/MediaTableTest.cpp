#include "model/MediaTable.h"
#include "ProjectDbBuilder.h"
#include "db/MemoryFile.h"
#include "model/MediaFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct MediaFixture : ::testing::Test {
    TempDir dir;
    ProjectDatabase db;
    MediaTable media;

    void Open(const ProjectDbBuilder& builder)
    {
        builder.WriteAndOpen(dir.File("p.db"), db);
        media.SetDatabase(&db);
        ASSERT_TRUE(media.Open());
    }
};

} // namespace

TEST_F(MediaFixture, ReadMediaMatchesWholeNameIgnoringCase)
{
    ProjectDbBuilder builder;
    builder.media = {{"12.jpg", "twelve"}, {"cover.jpg", "COVER"}, {"Cover.jpg", "second"}};
    Open(builder);
    MemoryFile stream;
    ASSERT_TRUE(media.ReadMedia("Cover.JPG", stream));
    EXPECT_EQ(stream.View(), "COVER");
    MemoryFile none;
    EXPECT_FALSE(media.ReadMedia("2.jpg", none)); // containment is not enough here
    EXPECT_EQ(none.GetSize(), 0u);
}

// Names are in the Windows code page: accented capitals match their small letters as the system lower-cases
// them, in both builds.
TEST_F(MediaFixture, AccentedNamesMatchIgnoringCase)
{
    ProjectDbBuilder builder;
    builder.media = {{"caf\xe9.jpg", "cafe"}, {"\x8a\xc0\xd7.jpg", "other"}};
    Open(builder);
    MemoryFile stream;
    ASSERT_TRUE(media.ReadMedia("CAF\xc9.JPG", stream));
    EXPECT_EQ(stream.View(), "cafe");
    MemoryFile other;
    ASSERT_TRUE(media.ReadMedia("\x9a\xe0\xd7.JPG", other)); // the multiplication sign has no small letter
    EXPECT_EQ(other.View(), "other");
}

TEST_F(MediaFixture, ContainmentTakesFirstRecordContainingFileNamePart)
{
    ProjectDbBuilder builder;
    builder.media = {{"12.jpg", "twelve"}, {"2.jpg", "two"}, {"clip.AVI", "video"}};
    Open(builder);
    EXPECT_EQ(media.GetStoredName("C:\\pictures\\2.jpg"), "12.jpg");
    EXPECT_EQ(media.GetStoredName("CLIP.avi"), "clip.avi");
    EXPECT_EQ(media.FindStoredName("clip.avi"), "clip.AVI");
    EXPECT_EQ(media.GetStoredName("missing.png"), "");
    MemoryFile stream;
    ASSERT_TRUE(media.ReadMediaContaining("D:\\movies\\clip.avi", stream));
    EXPECT_EQ(stream.View(), "video");
}

TEST_F(MediaFixture, EmptyStoredFileIsNotFound)
{
    ProjectDbBuilder builder;
    builder.media = {{"empty.jpg", ""}};
    Open(builder);
    MemoryFile stream;
    EXPECT_FALSE(media.ReadMedia("empty.jpg", stream));
    EXPECT_EQ(media.GetStoredName("empty.jpg"), "empty.jpg");
}

TEST_F(MediaFixture, EmptyTableFindsNothing)
{
    Open(ProjectDbBuilder());
    MemoryFile stream;
    EXPECT_FALSE(media.ReadMedia("a.jpg", stream));
    EXPECT_EQ(media.GetStoredName("a.jpg"), "");
}

TEST_F(MediaFixture, FileFromDatabaseBesideProgramOrByStoredPath)
{
    ProjectDbBuilder builder;
    builder.media = {{"C:\\Shows\\Sea.jpg", ""}, {"sea.jpg", "stored"}};
    Open(builder);
    ProjectOptions options;
    options.SetFlag(ProjectOptions::kMediaInDatabase, true);
    MediaFileSource stored = FindMediaFile(options, media, "SEA.jpg", "C:\\show\\saver.scr", false);
    EXPECT_TRUE(stored.found);
    EXPECT_TRUE(stored.inDatabase);
    EXPECT_EQ(stored.bytes.View(), "stored");

    options.SetFlag(ProjectOptions::kMediaInDatabase, false);
    MediaFileSource byPath = FindMediaFile(options, media, "sea.jpg", "C:\\show\\saver.scr", false);
    EXPECT_TRUE(byPath.found);
    EXPECT_FALSE(byPath.inDatabase);
    EXPECT_EQ(byPath.path, "C:\\Shows\\Sea.jpg");

    options.SetFlag(ProjectOptions::kBesideExecutable, true);
    MediaFileSource beside = FindMediaFile(options, media, "sea.jpg", "C:\\show\\saver.scr", false);
    EXPECT_EQ(beside.path, "C:\\show\\Sea.jpg");

    MediaFileSource missing = FindMediaFile(options, media, "lake.jpg", "C:\\show\\saver.scr", false);
    EXPECT_FALSE(missing.found);
}

#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"

#include <gtest/gtest.h>

TEST(StoredRecord, ReadsLittleEndianIntegers)
{
    MediaSettingsRecord r;
    const uint8_t bytes[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 0x00, 0x00, 0xe8, 0xff, 0xff, 0xff};
    r.Assign(bytes, sizeof bytes);
    EXPECT_EQ(r.TitleColour(), 0x0000ffffu);
    EXPECT_EQ(r.TitleSize(), -24);
}

TEST(StoredRecord, OnlyFirstByteOfFlagCounts)
{
    ProjectOptions o;
    std::string data(80, '\0');
    data[28] = 1;
    data[29] = char(0xf0);
    data[30] = char(0xfd);
    data[31] = 0x7f;
    data[36] = 0;
    data[37] = 0x55; // a neighbour's byte is not part of offset 36's flag
    o.Assign(data);
    EXPECT_TRUE(o.MusicLoop());
    EXPECT_FALSE(o.MusicRandom());
    EXPECT_TRUE(o.ShowDialogPicture());
    // Setting a flag leaves its padding as stored.
    o.SetFlag(ProjectOptions::kMusicLoop, false);
    EXPECT_EQ(o.U8(29), 0xf0);
    EXPECT_FALSE(o.MusicLoop());
}

TEST(StoredRecord, ShortValueKeepsRestLongValueIsCut)
{
    ProjectOptions o;
    o.SetI32(ProjectOptions::kScaleMode, 3);
    o.Assign(std::string(10, '\x01'));
    EXPECT_EQ(o.ScaleMode(), 3);
    EXPECT_EQ(o.U8(9), 1);
    EXPECT_EQ(o.U8(10), 0);
    std::string longer(200, '\x02');
    o.Assign(longer);
    EXPECT_EQ(o.ToString(), std::string(80, '\x02'));
}

TEST(StoredRecord, ExeModeOnlyForOne)
{
    ProjectOptions o;
    for (int v : {0, 2, -1, 256}) {
        o.SetI32(ProjectOptions::kRunAsExe, v);
        EXPECT_FALSE(o.ForcesExeMode()) << v;
    }
    o.SetI32(ProjectOptions::kRunAsExe, 1);
    EXPECT_TRUE(o.ForcesExeMode());
}

TEST(StoredRecord, VisitWebsiteNeedsBothFlags)
{
    ProjectOptions o;
    o.SetFlag(ProjectOptions::kVisitWebsite, true);
    EXPECT_FALSE(o.VisitWebsite());
    o.SetFlag(ProjectOptions::kPublisherPage, true);
    EXPECT_TRUE(o.VisitWebsite());
}

TEST(StoredRecord, OffsetsOutsideRecordAreRejected)
{
    MediaSettingsRecord r;
    EXPECT_THROW(r.I32(161), std::out_of_range);
    EXPECT_THROW(r.SetU32(162, 1), std::out_of_range);
    EXPECT_THROW(r.U8(164), std::out_of_range);
    EXPECT_NO_THROW(r.I32(160));
}

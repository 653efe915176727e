#include <gtest/gtest.h>

#include "model/MediaSettingsRecord.h"
#include "model/PanZoomSetting.h"

// Only the tag turns the option on: records of older projects, whatever their last bytes hold, stay still.
TEST(PanZoomSetting, OnlyTaggedRecordsMoveAndValuesComeBackWithinRange)
{
    MediaSettingsRecord old;
    for (size_t i = 144; i < 164; ++i)
        old.SetU8(i, static_cast<uint8_t>(0xA5 + i));
    EXPECT_FALSE(ReadPanZoom(old).enabled);

    PanZoomSetting chosen{
        .enabled = true, .zoomPercent = 250, .pointsChosen = true, .fromX = 0, .fromY = 100, .toX = 37, .toY = 5};
    MediaSettingsRecord r = old;
    WritePanZoom(r, chosen);
    EXPECT_EQ(ReadPanZoom(r), chosen);
    for (size_t i = 0; i < 148; ++i)
        ASSERT_EQ(r.U8(i), old.U8(i)) << "byte " << i << " is not the option's";
    EXPECT_EQ(r.U8(148), 'Q');
    EXPECT_EQ(r.U8(152) | r.U8(153) << 8, 250);

    // A random direction stores no points; off clears all sixteen bytes.
    WritePanZoom(r, PanZoomSetting{.enabled = true});
    EXPECT_EQ(ReadPanZoom(r), PanZoomSetting{.enabled = true});
    EXPECT_EQ(r.U8(156), 0);
    WritePanZoom(r, PanZoomSetting{});
    for (size_t i = 148; i < 164; ++i)
        EXPECT_EQ(r.U8(i), 0) << i;

    // Bytes written by hand: a zoom beyond 400 % and points beyond 100 % are brought within range.
    WritePanZoom(r, chosen);
    r.SetU8(152, 0xFF);
    r.SetU8(153, 0xFF);
    r.SetU8(157, 200);
    const PanZoomSetting read = ReadPanZoom(r);
    EXPECT_EQ(read.zoomPercent, 400);
    EXPECT_EQ(read.fromY, 100);
    r.SetU8(152, 5);
    r.SetU8(153, 0);
    EXPECT_EQ(ReadPanZoom(r).zoomPercent, 100);
}

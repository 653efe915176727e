#include "model/MediaPlaylist.h"
#include "ProjectDbBuilder.h"
#include "model/UserSettings.h"
#include "platform/Clock.h"
#include "support/SequenceRandom.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Playlist {
    TempDir dir;
    ProjectDatabase db;
    VirtualClock clock{1000};
    SequenceRandom random{{4, 1, 7}};
    UserSettings user;
    MediaPlaylist media{clock, random};

    void Open(const ProjectDbBuilder& builder)
    {
        builder.WriteAndOpen(dir.File("p.db"), db);
        media.SetDatabase(&db);
        media.SetUserSettings(&user);
        ASSERT_TRUE(media.Open());
    }
};

} // namespace

TEST(MediaPlaylist, OpenLeavesFirstRecordCurrentButNotLoaded)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg").texts["title"] = "First";
    Playlist p;
    p.Open(builder);
    EXPECT_EQ(p.media.GetCurrentIndex(), 0);
    EXPECT_EQ(p.media.GetTitle(), "");
    p.media.LoadCurrent();
    EXPECT_EQ(p.media.GetTitle(), "First");
    EXPECT_EQ(p.media.GetFileName(), "a.jpg");
}

TEST(MediaPlaylist, LoadsRecordAndAllTexts)
{
    ProjectDbBuilder builder;
    auto& item = builder.AddItem("cover.jpg", " 3;");
    item.record.SetI32(MediaSettingsRecord::kTitleSize, -24);
    item.record.SetU32(MediaSettingsRecord::kTitleColour, 0x00ffff00);
    item.record.SetI32(MediaSettingsRecord::kMediaType, MediaKind::kVideo);
    const char* fields[] = {"title",        "titlefontname", "titlefontstyle", "desc",
                            "descfontname", "descfontstyle", "gradientstring", "selectedimagebackgroundstring",
                            "bindsound",    "accfile"};
    for (const char* f : fields)
        item.texts[f] = std::string("v-") + f;
    Playlist p;
    p.Open(builder);
    p.media.LoadCurrent();
    EXPECT_EQ(p.media.Record(), item.record);
    EXPECT_EQ(p.media.GetTitle(), "v-title");
    EXPECT_EQ(p.media.GetTitleFontName(), "v-titlefontname");
    EXPECT_EQ(p.media.GetTitleFontStyle(), "v-titlefontstyle");
    EXPECT_EQ(p.media.GetDesc(), "v-desc");
    EXPECT_EQ(p.media.GetDescFontName(), "v-descfontname");
    EXPECT_EQ(p.media.GetDescFontStyle(), "v-descfontstyle");
    EXPECT_EQ(p.media.GetGradientString(), "v-gradientstring");
    EXPECT_EQ(p.media.GetSelectedImageBackgroundString(), "v-selectedimagebackgroundstring");
    EXPECT_EQ(p.media.GetBindSound(), "v-bindsound");
    EXPECT_EQ(p.media.GetAccFile(), "v-accfile");
    EXPECT_EQ(p.media.GetEffect(), " 3;");
}

TEST(MediaPlaylist, ShortDataKeepsRestOfPreviousRecordCleared)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg").data = std::string(8, '\x01');
    Playlist p;
    p.Open(builder);
    p.media.LoadCurrent();
    EXPECT_TRUE(p.media.Record().PlayMusic());
    EXPECT_EQ(p.media.Record().TitleSize(), 0);
}

TEST(MediaPlaylist, InOrderWrapsToFirst)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg");
    builder.AddItem("b.jpg");
    builder.AddItem("c.jpg");
    Playlist p;
    p.Open(builder);
    p.media.LoadCurrent();
    std::vector<std::string> shown{p.media.GetFileName()};
    for (int i = 0; i < 4; ++i) {
        p.media.SelectNext(false);
        shown.push_back(p.media.GetFileName());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "a.jpg", "b.jpg"}));
}

TEST(MediaPlaylist, ShuffledCycleShowsEveryItemOnce)
{
    ProjectDbBuilder builder;
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"})
        builder.AddItem(name);
    Playlist p;
    p.Open(builder);
    for (int cycle = 0; cycle < 3; ++cycle) {
        std::set<int> seen;
        for (int i = 0; i < 5; ++i) {
            p.media.SelectNext(true);
            seen.insert(p.media.GetCurrentIndex());
            p.clock.Advance(13);
        }
        EXPECT_EQ(seen.size(), 5u) << "cycle " << cycle;
    }
}

TEST(MediaPlaylist, EachItemKeepsItsOwnEffectSequence)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg", "0;1;2;");
    builder.AddItem("b.jpg", "5;6");
    Playlist p;
    p.Open(builder);
    p.media.LoadCurrent();
    std::vector<int> a;
    for (int i = 0; i < 4; ++i)
        a.push_back(p.media.NextEffect());
    EXPECT_EQ(a, (std::vector<int>{0, 1, 2, 0}));
    p.media.SelectNext(false);
    EXPECT_EQ(p.media.NextEffect(), 5);
    EXPECT_EQ(p.media.NextEffect(), 5);
    p.media.SelectNext(false);
    // Back on the first item, its sequence continues where it stopped.
    EXPECT_EQ(p.media.NextEffect(), 1);
}

TEST(MediaPlaylist, RandomEffectsUseGenerator)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg", "10;20;30;").record.SetFlag(MediaSettingsRecord::kRandomEffects, true);
    Playlist p;
    p.Open(builder);
    p.media.LoadCurrent();
    EXPECT_EQ(p.media.NextEffect(), 20); // 4 % 3
    EXPECT_EQ(p.media.NextEffect(), 20); // 1 % 3
    EXPECT_EQ(p.media.NextEffect(), 20); // 7 % 3
}

TEST(MediaPlaylist, EmptyEffectListGivesNoEffect)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg", "");
    Playlist p;
    p.Open(builder);
    p.media.LoadCurrent();
    EXPECT_EQ(p.media.NextEffect(), -1);
}

TEST(MediaPlaylist, UserTransitionsReplaceItemsOwn)
{
    ProjectDbBuilder builder;
    auto& item = builder.AddItem("a.jpg", "7;8;");
    item.record.SetU32(MediaSettingsRecord::kPlayMusic, 0xabcdef01); // play music, with padding behind
    item.record.SetI32(MediaSettingsRecord::kTransitionSpeed, 25);
    Playlist p;
    p.user.useOwnTransitions = 1;
    p.user.playSounds = 0;
    p.user.randomTransitions = 0;
    p.user.transitionSpeed = 9;
    p.user.transitionList = "40;41;";
    p.Open(builder);
    p.media.LoadCurrent();
    EXPECT_FALSE(p.media.Record().PlayMusic());
    EXPECT_EQ(p.media.Record().U8(6), 0xef); // only the flag's own byte changes
    EXPECT_FALSE(p.media.Record().RandomEffects());
    EXPECT_EQ(p.media.Record().TransitionSpeed(), 9);
    EXPECT_EQ(p.media.GetEffect(), "40;41;");
    EXPECT_EQ(p.media.NextEffect(), 40);
    EXPECT_EQ(p.media.NextEffect(), 41);

    // Switched off again, the item's own values come back at the next load.
    p.user.useOwnTransitions = 0;
    p.media.LoadCurrent();
    EXPECT_TRUE(p.media.Record().PlayMusic());
    EXPECT_EQ(p.media.Record().TransitionSpeed(), 25);
    EXPECT_EQ(p.media.GetEffect(), "7;8;");
}

TEST(MediaPlaylist, OnlyValueOneCountsAsOn)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg");
    Playlist p;
    p.user.useOwnTransitions = 2;
    p.user.playSounds = 2;
    p.user.randomTransitions = 1;
    p.Open(builder);
    p.media.LoadCurrent();
    EXPECT_FALSE(p.media.Record().PlayMusic());
    EXPECT_TRUE(p.media.Record().RandomEffects());
}

TEST(MediaPlaylist, EmptyTableHasNoCurrentItem)
{
    ProjectDbBuilder builder;
    Playlist p;
    p.Open(builder);
    EXPECT_EQ(p.media.GetRecordCount(), 0);
    EXPECT_EQ(p.media.GetCurrentIndex(), -1);
    EXPECT_NO_THROW(p.media.SelectNext(true));
    EXPECT_NO_THROW(p.media.SelectNext(false));
    EXPECT_EQ(p.media.GetFileName(), "");
    EXPECT_THROW(p.media.NextEffect(), std::invalid_argument);
}

TEST(MediaPlaylist, CloseForgetsEffectPositions)
{
    ProjectDbBuilder builder;
    builder.AddItem("a.jpg", "0;1;");
    Playlist p;
    p.Open(builder);
    p.media.LoadCurrent();
    EXPECT_EQ(p.media.NextEffect(), 0);
    p.media.Close();
    ASSERT_TRUE(p.media.Open());
    p.media.LoadCurrent();
    EXPECT_EQ(p.media.NextEffect(), 0);
}

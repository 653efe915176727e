#include "MediaFakes.h"
#include "db/ProjectDatabase.h"
#include "model/MediaPlaylist.h"
#include "model/ProjectDbBuilder.h"
#include "platform/DiagnosticLog.h"
#include "support/TempDir.h"
#include "transitions/ShowMessages.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

class VideoPlayerTest : public ::testing::Test {
protected:
    // A project of `items` video items in the given display mode, and a player for its first.
    void Make(int items, int32_t mode, const std::string& path = "clip.avi")
    {
        player.reset();
        setting = std::make_unique<MediaPlaylist>();
        db = std::make_unique<ProjectDatabase>();
        ProjectDbBuilder builder;
        for (int i = 0; i < items; ++i) {
            builder.AddItem("clip.avi").record.SetI32(MediaSettingsRecord::kVideoMode, mode);
            builder.items.back().record.SetI32(MediaSettingsRecord::kMediaType, MediaKind::kVideo);
        }
        builder.WriteAndOpen(dir.File("project" + std::to_string(++made) + ".db"), *db);
        setting->SetDatabase(db.get());
        ASSERT_TRUE(setting->Open());
        setting->LoadCurrent();

        mci.files["clip.avi"] = FakeMci::Video(640, 480, 4000);
        auto w = std::make_unique<FakeVideoWindow>();
        window = w.get();
        player = std::make_unique<VideoPlayer>(std::move(w), mci, VideoPlayerSetup{});
        player->OnInitDialog();
        player->SetVideoPath(path);
        player->SetMediaSetting(setting.get());
        player->DrawBackground();
        player->Show();
    }
    // Timer 0 starts the video.
    void Start()
    {
        ASSERT_EQ(window->timers[VideoPlayer::kStartTimer], 10u);
        window->Fire(VideoPlayer::kStartTimer);
    }

    TempDir dir;
    int made = 0;
    FakeMci mci;
    std::unique_ptr<ProjectDatabase> db;
    std::unique_ptr<MediaPlaylist> setting;
    FakeVideoWindow* window = nullptr;
    std::unique_ptr<VideoPlayer> player;
};

TEST_F(VideoPlayerTest, StartsAfterItsDialogWithThePanelWhereTheDisplayModeSays)
{
    Make(2, 2);
    EXPECT_EQ(player->Background().Width(), 1024);
    EXPECT_TRUE(mci.log.empty()) << "nothing plays before the start timer";
    EXPECT_TRUE(player->PaintsBackground());
    Start();
    EXPECT_EQ(window->timers, (std::map<uint32_t, uint32_t>{{VideoPlayer::kEndTimer, 1000}}));
    EXPECT_EQ(window->log, (Lines{"show", "panel 384 288 256 192"}));
    EXPECT_EQ(mci.Commands(),
              (Lines{"open clip.avi", "caps 8", "caps 1", "caps 7", "caps 3", "caps 4", "where source",
                     "where destination", "window", "put 0 0 256 192", "seek", "play", "put 0 0 256 192"}));
    EXPECT_EQ(mci.Only().window, player->Panel());
    EXPECT_FALSE(player->PaintsBackground()) << "a playing video leaves the dialog unpainted";
    EXPECT_FALSE(player->Loops());
}

TEST_F(VideoPlayerTest, EndsTwentyUnitsBeforeItsLengthAndTellsTheWindow)
{
    Make(2, 0);
    Start();
    mci.Only().position = 3979;
    window->Fire(VideoPlayer::kEndTimer);
    EXPECT_TRUE(window->posted.empty());
    mci.Only().position = 3980;
    window->Fire(VideoPlayer::kEndTimer);
    EXPECT_EQ(window->posted, (std::vector<uint32_t>{ShowMsg::kItemFinished}));
    EXPECT_TRUE(window->timers.empty());

    // A length below 20 ends only at the length itself.
    Make(2, 0);
    Start();
    mci.Only().length = 15;
    mci.Only().position = 14;
    window->Fire(VideoPlayer::kEndTimer);
    EXPECT_TRUE(window->posted.empty());
    mci.Only().position = 15;
    window->Fire(VideoPlayer::kEndTimer);
    EXPECT_EQ(window->posted, (std::vector<uint32_t>{ShowMsg::kItemFinished}));

    // A device that stopped at its last frame's start, short of the length: ended all the same.
    Make(2, 0);
    Start();
    mci.Only().position = 3950;
    window->Fire(VideoPlayer::kEndTimer);
    EXPECT_TRUE(window->posted.empty());
    mci.Only().mode = Mci::kModeStop;
    window->Fire(VideoPlayer::kEndTimer);
    EXPECT_EQ(window->posted, (std::vector<uint32_t>{ShowMsg::kItemFinished}));
}

TEST_F(VideoPlayerTest, TheOnlyItemPlaysAgainFromTheStart)
{
    for (int32_t mode : {0, 5}) {
        Make(1, mode);
        Start();
        EXPECT_TRUE(player->Loops());
        window->log.clear();
        mci.log.clear();
        mci.Only().position = 4000;
        window->Fire(VideoPlayer::kEndTimer);
        EXPECT_TRUE(window->posted.empty());
        EXPECT_EQ(mci.Commands(), (Lines{"seek", "play"}));
        EXPECT_EQ(mci.Only().position, 0u);
        // Over the whole window the video covers the background; otherwise it is drawn afresh.
        EXPECT_EQ(window->log, mode == 5 ? Lines{} : (Lines{"copy background", "panel hide", "panel show"}));
        EXPECT_EQ(window->timers.count(VideoPlayer::kEndTimer), 1u);
    }
}

TEST_F(VideoPlayerTest, WithoutAPathNothingPlaysAndNothingEnds)
{
    Make(2, 0, "");
    Start();
    EXPECT_TRUE(mci.log.empty());
    EXPECT_TRUE(window->timers.empty());
    EXPECT_EQ(window->log, (Lines{"show"}));
}

TEST_F(VideoPlayerTest, AFileNoDeviceOpensEndsAtTheFirstTick)
{
    Make(2, 0, "broken.avi");
    Start();
    // The device's closed rectangle (100, 100, 200, 200) sizes the panel.
    EXPECT_EQ(window->log, (Lines{"show", "panel 462 334 100 100"}));
    window->Fire(VideoPlayer::kEndTimer);
    EXPECT_EQ(window->posted, (std::vector<uint32_t>{ShowMsg::kItemFinished}));
}

TEST_F(VideoPlayerTest, ClosingWithoutSendingLeavesTheDeviceAloneToTheEnd)
{
    Make(2, 0);
    Start();
    mci.log.clear();
    player->CloseVideo(0);
    player.reset();
    EXPECT_EQ(mci.Commands(), Lines{});

    Make(2, 0);
    Start();
    mci.log.clear();
    player.reset();
    EXPECT_EQ(mci.Commands(), (Lines{"stop", "stop", "close"})) << "destroyed: stopped and closed";
}

} // namespace

TEST_F(VideoPlayerTest, AnOnlyVideoThatEndsAtOnceLogsItsRestartOnceAMinuteAtMost)
{
    const std::string logPath = dir.File("kado.log");
    ASSERT_TRUE(DiagnosticLog::Instance().WriteTo(logPath));
    const auto restarts = [&] {
        const std::string text = TempDir::Read(logPath);
        size_t count = 0;
        for (size_t at = text.find("Loop Media!"); at != std::string::npos; at = text.find("Loop Media!", at + 1))
            ++count;
        return count;
    };
    // A clip that plays loops with a line at every restart.
    Make(1, 0);
    Start();
    for (int round = 0; round < 2; ++round) {
        mci.Only().position = 1000;
        window->Fire(VideoPlayer::kEndTimer);
        mci.Only().position = 4000;
        window->Fire(VideoPlayer::kEndTimer);
    }
    EXPECT_EQ(restarts(), 2u);

    // One that cannot be opened ends at every check, for ever: the line once, then once a minute.
    Make(1, 0, "missing.avi");
    Start();
    for (int second = 1; second <= 125; ++second) {
        window->tick += 1000;
        window->Fire(VideoPlayer::kEndTimer);
    }
    DiagnosticLog::Instance().WriteTo(""); // off again for the other tests
    EXPECT_EQ(restarts(), 2u + 3u);
}

#include "media/SoundPlayer.h"
#include "MediaFakes.h"
#include "transitions/ShowMessages.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
constexpr uint32_t kEnd = ShowMsg::kMusicEnded;

class SoundPlayerTest : public ::testing::Test {
protected:
    SoundPlayerTest()
    {
        mci.files["tune.wav"] = FakeMci::Sound(2500);
        auto w = std::make_unique<FakeVideoWindow>();
        window = w.get();
        player = std::make_unique<SoundPlayer>(std::move(w), mci, kEnd);
    }
    FakeMci mci;
    FakeVideoWindow* window;
    std::unique_ptr<SoundPlayer> player;
};

TEST_F(SoundPlayerTest, PollsOnceASecondAndPostsItsMessageWhenTheSoundHasEnded)
{
    ASSERT_TRUE(player->Play("tune.wav"));
    EXPECT_EQ(window->timers, (std::map<uint32_t, uint32_t>{{1, 1000}}));
    EXPECT_EQ(mci.Only().mode, Mci::kModePlay);
    mci.Only().position = 2499;
    window->Fire(1);
    EXPECT_TRUE(window->posted.empty());
    mci.Only().position = 2500;
    window->Fire(1);
    EXPECT_EQ(window->posted, (std::vector<uint32_t>{kEnd}));
    EXPECT_TRUE(window->timers.empty());
    EXPECT_TRUE(mci.open.empty()) << "the ended sound is stopped and closed";
    EXPECT_FALSE(player->Playing());
}

TEST_F(SoundPlayerTest, PausesOnlyWhilePlayingAndResumesOnlyWhilePaused)
{
    player->Pause();
    player->Resume();
    EXPECT_TRUE(mci.log.empty()) << "an idle player ignores both";

    ASSERT_TRUE(player->Play("tune.wav"));
    mci.log.clear();
    player->Resume();
    EXPECT_EQ(mci.Commands(), Lines{}) << "resuming a playing sound does nothing";
    player->Pause();
    player->Pause();
    EXPECT_TRUE(player->Paused());
    EXPECT_TRUE(window->timers.empty()) << "a paused sound is not polled";
    player->Resume();
    EXPECT_EQ(mci.Commands(), (Lines{"pause", "resume"}));
    EXPECT_EQ(window->timers.count(1), 1u);
    EXPECT_EQ(mci.Only().mode, Mci::kModePlay);
}

TEST_F(SoundPlayerTest, ASoundThatDoesNotPlayLeavesThePlayerIdle)
{
    EXPECT_FALSE(player->Play(""));
    EXPECT_FALSE(player->Play("missing.wav"));
    mci.refuse = {"play"};
    EXPECT_FALSE(player->Play("tune.wav"));
    EXPECT_TRUE(mci.open.empty()) << "a refused play closes the device again";
    EXPECT_TRUE(window->timers.empty());
    EXPECT_FALSE(player->Playing());
    EXPECT_TRUE(window->posted.empty()) << "no end message: the music sequence stops there";
}

} // namespace

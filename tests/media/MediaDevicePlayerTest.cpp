#include "media/MediaDevicePlayer.h"
#include "MediaFakes.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

class MediaDevicePlayerTest : public ::testing::Test {
protected:
    MediaDevicePlayerTest()
    {
        mci.files["clip.avi"] = FakeMci::Video(320, 240, 5000);
        mci.files["tune.wav"] = FakeMci::Sound(3000);
        mci.files["second.wav"] = FakeMci::Sound(1000);
    }
    FakeMci mci;
    int notifyTarget = 0;
    WindowRef notify = &notifyTarget;
};

TEST_F(MediaDevicePlayerTest, OpenAsksTheCapabilitiesInOrderAndAttachesVideoToTheNotifyWindow)
{
    MediaDevicePlayer player(mci);
    ASSERT_TRUE(player.Open("clip.avi", notify));
    EXPECT_EQ(mci.Commands(),
              (Lines{"open clip.avi", "caps 8", "caps 1", "caps 7", "caps 3", "caps 4", "where source", "window"}));
    EXPECT_EQ(mci.Only().window, notify);
    EXPECT_EQ(player.NaturalWidth(), 320);
    EXPECT_EQ(player.NaturalHeight(), 240);
    EXPECT_TRUE(player.HasVideo());
    EXPECT_TRUE(player.IsVisualDevice());

    // A sound gets no window, and no window means no attachment either.
    mci.log.clear();
    ASSERT_TRUE(player.Open("tune.wav", notify));
    EXPECT_EQ(mci.Commands(),
              (Lines{"close", "open tune.wav", "caps 8", "caps 1", "caps 7", "caps 3", "caps 4", "where source"}));
    EXPECT_EQ(mci.open.size(), 1u) << "the first device is closed before the second opens";
    EXPECT_FALSE(player.IsVisualDevice());
    EXPECT_EQ(player.NaturalWidth(), 0);
}

TEST_F(MediaDevicePlayerTest, RefusedOpensLeaveThePlayerClosed)
{
    MediaDevicePlayer player(mci);
    EXPECT_FALSE(player.Open("", notify));
    EXPECT_FALSE(player.Open("missing.wav", notify));
    EXPECT_FALSE(player.Open(std::string(256, 'a'), notify)) << "the element name holds 255 bytes";
    EXPECT_EQ(mci.Commands(), (Lines{"open missing.wav"}));
    EXPECT_FALSE(player.IsOpen());
}

TEST_F(MediaDevicePlayerTest, ClosedPlayerSendsNothingAndAnswersItsClosedValues)
{
    MediaDevicePlayer player(mci);
    EXPECT_FALSE(player.Play());
    EXPECT_FALSE(player.SeekToStart());
    EXPECT_FALSE(player.Stop(true));
    EXPECT_FALSE(player.Pause());
    EXPECT_FALSE(player.Resume());
    EXPECT_FALSE(player.TogglePause());
    EXPECT_EQ(player.GetPosition(), -1);
    EXPECT_EQ(player.GetLength(), -1);
    EXPECT_EQ(player.GetMode(), 0u);
    EXPECT_FALSE(player.SetVideoWindow(notify));
    EXPECT_FALSE(player.SetDestination(0, 0, 10, 10));
    EXPECT_EQ(player.GetDestination(), (MciRect{100, 100, 200, 200}));
    player.Close(true);
    EXPECT_TRUE(mci.log.empty());
}

TEST_F(MediaDevicePlayerTest, PlayAlwaysStartsFromTheBeginningWhileResumeContinues)
{
    MediaDevicePlayer player(mci);
    ASSERT_TRUE(player.Open("tune.wav", notify));
    mci.log.clear();
    ASSERT_TRUE(player.Play());
    mci.Only().position = 1200;
    ASSERT_TRUE(player.TogglePause());
    EXPECT_EQ(mci.Only().mode, Mci::kModePause);
    ASSERT_TRUE(player.TogglePause());
    EXPECT_EQ(mci.Only().position, 1200u) << "resume continues where the sound stopped";
    ASSERT_TRUE(player.Pause());
    ASSERT_TRUE(player.Play());
    EXPECT_EQ(mci.Only().position, 0u) << "play after a pause starts again";
    EXPECT_EQ(mci.Commands(), (Lines{"seek", "play", "pause", "resume", "pause", "seek", "play"}));

    // A stopped device toggles nothing; a refused resume plays from the start.
    player.Stop(true);
    mci.log.clear();
    EXPECT_TRUE(player.TogglePause());
    EXPECT_EQ(mci.Commands(), Lines{});
    mci.refuse = {"resume"};
    EXPECT_TRUE(player.Resume());
    EXPECT_EQ(mci.Commands(), (Lines{"resume", "seek", "play"}));
}

TEST_F(MediaDevicePlayerTest, TheSendFlagDecidesWhetherStopAndCloseReachTheDevice)
{
    {
        MediaDevicePlayer player(mci);
        ASSERT_TRUE(player.Open("tune.wav", notify));
        mci.log.clear();
        EXPECT_TRUE(player.Stop(false));
        player.Close(false);
        EXPECT_FALSE(player.IsOpen());
    }
    EXPECT_EQ(mci.Commands(), Lines{}) << "nor does the destructor send a close after Close(false)";

    MediaDevicePlayer player(mci);
    ASSERT_TRUE(player.Open("second.wav", notify));
    mci.refuse = {"close"};
    player.Close(true);
    EXPECT_TRUE(player.IsOpen()) << "a refused close leaves the device open";
    mci.refuse.clear();
    mci.log.clear();
    player.Stop(false);
    player.Stop(true);
    EXPECT_EQ(mci.Commands(), (Lines{"stop"}));
}

TEST_F(MediaDevicePlayerTest, DestinationOfVideoDevicesOnly)
{
    MediaDevicePlayer player(mci);
    ASSERT_TRUE(player.Open("tune.wav", nullptr));
    EXPECT_EQ(player.GetDestination(), (MciRect{100, 100, 200, 200}));
    EXPECT_FALSE(player.SetDestination(0, 0, 20, 20));
    EXPECT_FALSE(player.SetVideoWindow(notify));

    ASSERT_TRUE(player.Open("clip.avi", nullptr));
    mci.log.clear();
    EXPECT_TRUE(player.SetVideoWindow(notify));
    EXPECT_TRUE(player.SetDestination(4, 5, 160, 120));
    EXPECT_EQ(player.GetDestination(), (MciRect{4, 5, 160, 120}));
    // Without both extents the window's own rectangle on the screen is the destination.
    EXPECT_TRUE(player.SetDestination(4, 5, 0, 120));
    EXPECT_EQ(mci.Commands(), (Lines{"window", "put 4 5 160 120", "where destination", "put 5 6 70 80"}));
    mci.refuse = {"where"};
    EXPECT_EQ(player.GetDestination(), (MciRect{100, 100, 200, 200}));
}

} // namespace

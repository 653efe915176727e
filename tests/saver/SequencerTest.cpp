#include "ShowFixture.h"
#include "support/TempDir.h"

#include <algorithm>
#include <fstream>
#include <set>

namespace {

std::vector<uint64_t> Times(const std::vector<std::pair<uint64_t, std::string>>& presented)
{
    std::vector<uint64_t> out;
    for (const auto& p : presented)
        out.push_back(p.first);
    return out;
}

size_t IndexOf(const Journal& journal, const std::string& line, size_t from = 0)
{
    return size_t(std::find(journal.begin() + long(from), journal.end(), line) - journal.begin());
}

} // namespace

using Sequencing = ShowFixture;

TEST_F(Sequencing, ItemStaysForTheDisplayTimeAfterItFinishedAndWrapsAround)
{
    options.displayTime = 30;
    Start();
    loop.RunUntil(100000);
    // Slides take 2 s; each item stays 30 s after that; after the last the first follows.
    EXPECT_EQ(Times(presented), (std::vector<uint64_t>{0, 32000, 64000, 96000}));
    EXPECT_EQ(PresentedFiles(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "a.jpg"}));
    // One image player serves every slide, configured once before its first slide.
    EXPECT_EQ(Entries("image create").size(), 1u);
    EXPECT_LT(IndexOf(journal, "image media 0"), IndexOf(journal, "image show 0"));
}

TEST_F(Sequencing, DisplayTimeZeroStepsAsSoonAsTheItemFinishes)
{
    options.displayTime = 0;
    Start();
    loop.RunUntil(6000);
    EXPECT_EQ(Times(presented), (std::vector<uint64_t>{0, 2000, 4000, 6000}));
    EXPECT_FALSE(loop.TimerRunning(SaverTimer::kDisplayTime));
}

TEST_F(Sequencing, NegativeDisplayTimeNeverStartsTheDisplayTimer)
{
    options.displayTime = -1;
    Start();
    loop.RunUntil(4000);
    EXPECT_EQ(Times(presented), (std::vector<uint64_t>{0, 2000, 4000}));
    EXPECT_FALSE(loop.TimerRunning(SaverTimer::kDisplayTime));
}

TEST_F(Sequencing, BoundSoundLongerThanTheSlideDelaysTheDisplayTime)
{
    items = {{0, "a.jpg", false, "long.wav"}, {0, "b.jpg"}};
    options.displayTime = 30;
    boundSoundMs = 10000;
    Start();
    loop.RunUntil(40000);
    // The slide is done at 2 s, the sound at 10 s: the 30 s count from the later.
    EXPECT_EQ(Times(presented), (std::vector<uint64_t>{0, 40000}));
    EXPECT_TRUE(Contains(journal, "bound play sounds\\long.wav"));
}

TEST_F(Sequencing, BoundSoundShorterThanTheSlideDoesNotDelay)
{
    items = {{0, "a.jpg", false, "short.wav"}, {0, "b.jpg"}};
    options.displayTime = 30;
    boundSoundMs = 500;
    Start();
    loop.RunUntil(32000);
    EXPECT_EQ(Times(presented), (std::vector<uint64_t>{0, 32000}));
}

TEST_F(Sequencing, BoundSoundThatCannotPlayCountsAsNone)
{
    items = {{0, "a.jpg", false, "broken.wav"}, {0, "b.jpg"}};
    options.displayTime = 0;
    boundSoundMs = 0;
    Start();
    loop.RunUntil(2000);
    EXPECT_EQ(Times(presented), (std::vector<uint64_t>{0, 2000}));
}

TEST_F(Sequencing, RandomOrderStartsWithTheFirstItemAndShowsEveryItemOncePerGroup)
{
    options.randomOrder = true;
    options.displayTime = 1;
    slideMs = 7; // uneven steps, so the shuffle's tick differs between draws
    Start();
    loop.RunUntil(60000);
    const auto files = PresentedFiles();
    ASSERT_GE(files.size(), 31u);
    EXPECT_EQ(files[0], "a.jpg");
    for (size_t group = 1; group + 3 <= files.size(); group += 3) {
        std::set<std::string> seen(files.begin() + long(group), files.begin() + long(group) + 3);
        EXPECT_EQ(seen.size(), 3u) << "group starting at item " << group;
    }
}

// The image player prepares the next image as soon as an item is shown, whatever comes before it; a video
// is not prepared, and in random order only an item the shuffle holds already. Nothing else changes.
TEST_F(Sequencing, TheNextImageIsPreparedWhileAnItemStays)
{
    TempDir dir;
    std::ofstream(dir.Path() / "v.avi") << "movie";
    storedPrefix = dir.Path().string() + "/";
    items = {{0, "a.jpg"}, {2, "v.avi"}, {0, "c.jpg"}, {0, "d.jpg"}};
    options.displayTime = 30;
    Start();
    loop.RunUntil(2000); // a.jpg is shown
    EXPECT_TRUE(Entries("image prepare").empty()) << "the video comes next";
    loop.RunUntil(40000); // the video plays (5 s) and stays
    EXPECT_EQ(Entries("image prepare"), (std::vector<std::string>{"image prepare c.jpg"}));
    EXPECT_LT(IndexOf(journal, "image prepare c.jpg"),
              IndexOf(journal, "image show 0", IndexOf(journal, "image show 0") + 1));
    loop.RunUntil(102000);
    EXPECT_EQ(Entries("image prepare"),
              (std::vector<std::string>{"image prepare c.jpg", "image prepare d.jpg", "image prepare a.jpg"}));
    EXPECT_EQ(PresentedFiles(), (std::vector<std::string>{"a.jpg", "v.avi", "c.jpg", "d.jpg"}));
    EXPECT_EQ(Times(presented), (std::vector<uint64_t>{0, 32000, 67000, 99000}));
}

TEST_F(Sequencing, InRandomOrderOnlyAnItemTheShuffleHoldsIsPrepared)
{
    options.randomOrder = true;
    options.displayTime = 30;
    Start();
    loop.RunUntil(2000);
    EXPECT_TRUE(Entries("image prepare").empty()) << "the shuffle is drawn at the next step";
    loop.RunUntil(34000);
    ASSERT_EQ(PresentedFiles().size(), 2u);
    ASSERT_EQ(Entries("image prepare").size(), 1u);
    loop.RunUntil(66000);
    ASSERT_EQ(PresentedFiles().size(), 3u);
    EXPECT_EQ(Entries("image prepare")[0], "image prepare " + PresentedFiles()[2]);
}

TEST_F(Sequencing, ConsecutiveVideosAlternatePlayerOneZeroOne)
{
    TempDir dir;
    for (const char* name : {"v1.avi", "v2.avi", "v3.avi"})
        std::ofstream(dir.Path() / name) << "movie";
    items = {{2, "v1.avi"}, {2, "v2.avi"}, {2, "v3.avi"}};
    storedPrefix = dir.Path().string() + "/";
    Start();
    MediaSequencer& seq = show->Session().Sequencer();
    EXPECT_EQ(seq.CurrentVideoPlayer(), 1);
    EXPECT_FALSE(seq.VideoPlayerExists(0));
    loop.RunUntil(5000);
    EXPECT_EQ(seq.CurrentVideoPlayer(), 0);
    EXPECT_FALSE(seq.VideoPlayerExists(1));
    loop.RunUntil(10000);
    EXPECT_EQ(seq.CurrentVideoPlayer(), 1);
    EXPECT_FALSE(seq.VideoPlayerExists(0));
    // Every video gets a new player; the new one is shown before the old one goes away.
    EXPECT_LT(IndexOf(journal, "video#2 show"), IndexOf(journal, "video#1 destroyed"));
    EXPECT_LT(IndexOf(journal, "video#1 close 1"), IndexOf(journal, "video#2 created"));
    EXPECT_TRUE(Contains(journal, "video#3 path " + storedPrefix + "v3.avi"));
    EXPECT_EQ(show->TopmostCount(), 3);

    // The show's end closes the video's device, which lets go of its file.
    journal.clear();
    show->Destroy();
    EXPECT_EQ(IndexOf(journal, "video#3 close 1"), 0);
}

TEST_F(Sequencing, ChangingKindHidesThePlayerOfTheOtherKind)
{
    TempDir dir;
    std::ofstream(dir.Path() / "v.avi") << "movie";
    items = {{0, "a.jpg"}, {2, "v.avi"}, {0, "b.jpg"}};
    storedPrefix = dir.Path().string() + "/";
    Start();
    loop.RunUntil(7000); // a.jpg 0..2 s, v.avi 2..7 s, b.jpg from 7 s
    ASSERT_EQ(PresentedFiles(), (std::vector<std::string>{"a.jpg", "v.avi", "b.jpg"}));
    const size_t videoShown = IndexOf(journal, "video#1 show");
    const size_t imageHidden = IndexOf(journal, "image hide 1");
    const size_t videoHidden = IndexOf(journal, "video#1 hide");
    ASSERT_LT(imageHidden, journal.size());
    ASSERT_LT(videoHidden, journal.size());
    EXPECT_LT(videoShown, imageHidden);
    EXPECT_LT(IndexOf(journal, "image show 0", videoShown), videoHidden);
}

TEST_F(Sequencing, RefusedSlideWindowLeavesTheImageItemsWithoutAPlayer)
{
    slideWindowMade = false;
    items = {{0, "a.jpg"}, {2, "v.avi"}, {0, "b.jpg"}};
    Start();
    MediaSequencer& seq = show->Session().Sequencer();
    loop.RunUntil(60000);
    // Nothing reports the image finished, so the show holds on it until it is moved on.
    EXPECT_TRUE(seq.ItemPresenting());
    seq.StepToNextMedia();
    EXPECT_TRUE(Contains(journal, "video#1 created"));
    seq.StepToNextMedia();
    // The window is asked for once: the later image items have no player either.
    EXPECT_EQ(slideWindowsAsked, 1);
    EXPECT_EQ(PresentedFiles(), (std::vector<std::string>{"v.avi"}));
    show->Destroy();
    EXPECT_TRUE(Entries("image").empty());
}

TEST_F(Sequencing, MissingVideoFileIsReportedAndTheShowStaysOnIt)
{
    items = {{2, "gone.avi"}, {0, "b.jpg"}};
    storedPrefix = "/nonexistent-folder/";
    Start();
    loop.RunUntil(60000);
    EXPECT_EQ(show->MessagesShown(), (std::vector<std::string>{"File not found : /nonexistent-folder/gone.avi"}));
    EXPECT_TRUE(Contains(journal, "video#1 path "));
    EXPECT_EQ(presented.size(), 1u);
}

TEST_F(Sequencing, ItemTypesWithoutPlayerHoldTheShow)
{
    items = {{1, "x.doc"}, {0, "b.jpg"}, {7, "y.bin"}};
    Start();
    loop.RunUntil(60000);
    EXPECT_TRUE(Entries("image").empty());
    EXPECT_TRUE(show->Session().Sequencer().ItemPresenting());
}

TEST_F(Sequencing, EmptyProjectPresentsNothing)
{
    items.clear();
    Start();
    loop.RunUntil(60000);
    EXPECT_TRUE(presented.empty());
    EXPECT_TRUE(Entries("image").empty());
}

TEST_F(Sequencing, MusicStartsPausedAndFollowsEachItemsFlag)
{
    items = {{0, "a.jpg", true}, {0, "b.jpg", false}, {0, "c.jpg", true}};
    sounds.tracks = {"t1.mp3"};
    musicMs = 100000;
    Start();
    loop.RunUntil(4000);
    const Journal music = Entries("music");
    EXPECT_EQ(music, (Journal{"music play t1.mp3", "music pause", "music resume", "music pause", "music resume"}));
}

TEST_F(Sequencing, MusicPausesBetweenTracksAndLoops)
{
    items = {{0, "a.jpg", true}};
    sounds.tracks = {"t1.mp3", "t2.mp3"};
    musicMs = 10000;
    options.musicPause = 5;
    slideMs = 1000000; // the one slide outlasts the test
    Start();
    std::vector<std::pair<uint64_t, std::string>> plays;
    loop.RunUntil(31000);
    // The first track was resumed at once by the item: it ends at 10 s, the next starts 5 s later.
    EXPECT_EQ(Entries("music play"), (Journal{"music play t1.mp3", "music play t2.mp3", "music play t1.mp3"}));
    EXPECT_FALSE(loop.TimerRunning(SaverTimer::kMusicPause));
    const auto& m = messages;
    std::vector<uint64_t> ends;
    for (const auto& [t, msg] : m) {
        if (msg == ShowMsg::kMusicEnded)
            ends.push_back(t);
    }
    EXPECT_EQ(ends, (std::vector<uint64_t>{10000, 25000}));
}

TEST_F(Sequencing, NextTrackStartingUnderAnItemWithoutMusicStaysSilentUntilAnItemWantsIt)
{
    items = {{0, "a.jpg", true}, {0, "b.jpg", false}};
    sounds.tracks = {"t1.mp3", "t2.mp3"};
    musicMs = 5000;
    options.musicPause = 10;
    options.displayTime = 10;
    Start();
    // a: 0-12 s with t1 ending at 5 s; the pause ends at 15 s, while b (no music) is on screen.
    loop.RunUntil(16000);
    EXPECT_EQ(Entries("music"),
              (Journal{"music play t1.mp3", "music pause", "music resume", "music stop", "music play t2.mp3",
                       "music pause"}));
    loop.RunUntil(24000); // a again
    EXPECT_EQ(Entries("music").back(), "music resume");
}

TEST_F(Sequencing, MusicWithoutPauseContinuesAtOnceAndStopsWhenTheListEnds)
{
    items = {{0, "a.jpg", true}};
    sounds.tracks = {"t1.mp3"};
    sounds.loop = false;
    musicMs = 10000;
    slideMs = 1000000;
    Start();
    loop.RunUntil(60000);
    EXPECT_EQ(Entries("music play"), (Journal{"music play t1.mp3"}));
    EXPECT_TRUE(Contains(journal, "music stop"));
}

TEST_F(Sequencing, NoMusicAtAllWhenSoundsAreOff)
{
    items = {{0, "a.jpg", true}, {0, "b.jpg", true}};
    sounds.tracks = {"t1.mp3"};
    musicMs = 10000;
    settings.playSounds = 0;
    Start();
    loop.RunUntil(20000);
    EXPECT_TRUE(Entries("music").empty());
}

TEST_F(Sequencing, PauseAndResumeMessagesReachTheMusic)
{
    items = {{0, "a.jpg", true}};
    sounds.tracks = {"t1.mp3"};
    musicMs = 100000;
    slideMs = 1000000;
    Start();
    loop.Post(ShowMsg::kPauseMusic);
    loop.Post(ShowMsg::kResumeMusic);
    loop.RunEvents(2);
    EXPECT_EQ(Entries("music"),
              (Journal{"music play t1.mp3", "music pause", "music resume", "music pause", "music resume"}));
}

TEST_F(Sequencing, DestructionStopsAndReleasesInOrder)
{
    sounds.tracks = {"t1.mp3"};
    musicMs = 100000;
    Start();
    loop.RunUntil(1000);
    journal.clear();
    show->Destroy();
    EXPECT_EQ(journal,
              (Journal{"image stop 0", "image stop 0", "image destroy 0", "media close", "bound destroyed",
                       "music destroyed", "sound table cleanup"}));
    EXPECT_TRUE(show->TaskbarVisible());
}

#include "Mp3File.h"
#include "media/MediaDevicePlayer.h"
#include "media/posix/AudioSink.h"
#include "media/posix/AvAudioSource.h"
#include "media/posix/AvMediaSystem.h"
#include "platform/Clock.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

namespace {

class ManualScheduler final : public IMediaScheduler {
public:
    uint64_t After(uint32_t ms, std::function<void()> action) override
    {
        actions[++last] = {ms, std::move(action)};
        return last;
    }
    void Cancel(uint64_t ticket) override { actions.erase(ticket); }
    void RunAll()
    {
        auto pending = std::move(actions);
        for (auto& [ticket, action] : pending)
            action.second();
    }
    std::map<uint64_t, std::pair<uint32_t, std::function<void()>>> actions;
    uint64_t last = 0;
};

// Frame f: the top half orange with green f * 20, the bottom half blue.
uint32_t Stripes(int f, int, int y)
{
    return y < 12 ? 0xFF0000u | uint32_t(f * 20) << 8 : 0x0000FFu;
}

class AvMediaTest : public ::testing::Test {
protected:
    uint32_t Status(uint32_t device, uint32_t item)
    {
        uint32_t value = 0;
        EXPECT_EQ(media.Status(device, item, value), 0u);
        return value;
    }
    uint32_t OpenFile(const std::string& name, const std::string& bytes)
    {
        uint32_t device = 0;
        EXPECT_EQ(media.Open(dir.Write(name, bytes).c_str(), device), 0u) << name;
        return device;
    }

    TempDir dir;
    VirtualClock clock{5000};
    AvMediaSystem media{clock};
};

TEST_F(AvMediaTest, SoundsLastAsLongAsTheirFiles)
{
    uint32_t wav = OpenFile("tone.wav", testmedia::Wav(2345));
    EXPECT_NEAR(double(Status(wav, Mci::kStatusLength)), 2345, 50);

    const std::string mp3 = dir.File("tone.mp3");
    if (!WriteMp3(mp3, 3210))
        GTEST_SKIP() << "no MP3 encoder";
    uint32_t device = 0;
    ASSERT_EQ(media.Open(mp3.c_str(), device), 0u);
    EXPECT_NEAR(double(Status(device, Mci::kStatusLength)), 3210, 50);
    uint32_t caps = 9;
    media.GetDevCaps(device, Mci::kCapsHasVideo, caps);
    EXPECT_EQ(caps, 0u);
    MciRect rect;
    EXPECT_NE(media.Where(device, true, rect), 0u) << "a sound has no picture";
}

TEST_F(AvMediaTest, PositionRunsWithTheClockWhilePlayingAndStopsAtTheEnd)
{
    ManualScheduler scheduler;
    media.SetScheduler(&scheduler);
    std::vector<std::pair<uint32_t, uint32_t>> notes;
    media.onNotify = [&](WindowRef, uint32_t device, uint32_t code) { notes.emplace_back(device, code); };
    int window = 0;

    const uint32_t d = OpenFile("tone.wav", testmedia::Wav(3000));
    EXPECT_EQ(Status(d, Mci::kStatusMode), Mci::kModeStop);
    ASSERT_EQ(media.Play(d, &window), 0u);
    clock.Advance(1000);
    EXPECT_EQ(Status(d, Mci::kStatusPosition), 1000u);
    ASSERT_EQ(media.Pause(d), 0u);
    clock.Advance(5000);
    EXPECT_EQ(Status(d, Mci::kStatusPosition), 1000u);
    EXPECT_EQ(Status(d, Mci::kStatusMode), Mci::kModePause);
    EXPECT_EQ(notes, (std::vector<std::pair<uint32_t, uint32_t>>{{d, Mci::kNotifyAborted}}));
    EXPECT_NE(media.Pause(d), 0u) << "only a playing device pauses";

    ASSERT_EQ(media.Resume(d), 0u);
    EXPECT_NE(media.Resume(d), 0u) << "only a paused device resumes";
    ASSERT_EQ(media.Play(d, &window), 0u);
    ASSERT_EQ(scheduler.actions.size(), 1u);
    EXPECT_EQ(scheduler.actions.begin()->second.first, 2000u) << "the end is due when the rest has played";
    clock.Advance(2500);
    EXPECT_EQ(Status(d, Mci::kStatusPosition), 3000u);
    EXPECT_EQ(Status(d, Mci::kStatusMode), Mci::kModeStop);
    scheduler.RunAll();
    EXPECT_EQ(notes.back(), (std::pair<uint32_t, uint32_t>{d, Mci::kNotifySuccessful}));

    ASSERT_EQ(media.SeekToStart(d), 0u);
    EXPECT_EQ(Status(d, Mci::kStatusPosition), 0u);
    ASSERT_EQ(media.Close(d, nullptr), 0u);
    EXPECT_EQ(media.OpenDevices(), 0u);
    uint32_t value = 0;
    EXPECT_EQ(media.Status(d, Mci::kStatusPosition, value), Mci::kErrInvalidDeviceId);
}

TEST_F(AvMediaTest, VideoShowsTheFrameOfThePositionScaledIntoItsWindow)
{
    const uint32_t d = OpenFile("stripes.avi", testmedia::Avi(32, 24, 10, 10, Stripes));
    EXPECT_NEAR(double(Status(d, Mci::kStatusLength)), 1000, 1);
    MciRect source;
    ASSERT_EQ(media.Where(d, true, source), 0u);
    EXPECT_EQ(source, (MciRect{0, 0, 32, 24}));

    int panel = 0;
    ASSERT_EQ(media.SetWindow(d, &panel), 0u);
    ASSERT_EQ(media.PutDestination(d, MciRect{0, 0, 64, 48}), 0u);
    Picture screen;
    screen.CreateBlank(100, 100, 0x123456);
    const Rect area = Rect::FromSize(10, 20, 64, 40); // the panel cuts the picture's bottom rows
    uint32_t started = 0;
    auto play = [&] {
        ASSERT_EQ(media.Play(d, nullptr), 0u);
        started = clock.TickCount();
    };
    auto drawn = [&](uint32_t at) {
        clock.Set(started + at);
        EXPECT_TRUE(media.DrawVideo(&panel, screen, area));
    };
    play();
    drawn(450);
    EXPECT_EQ(screen.GetPixel(42, 30), MakeColorref(255, 80, 0)) << "frame 4 at 450 ms";
    EXPECT_EQ(screen.GetPixel(42, 55), MakeColorref(0, 0, 255));
    EXPECT_EQ(screen.GetPixel(42, 65), Colorref(0x123456)) << "nothing below the window";
    EXPECT_EQ(screen.GetPixel(5, 30), Colorref(0x123456));
    drawn(999);
    EXPECT_EQ(screen.GetPixel(42, 30), MakeColorref(255, 180, 0));

    // Played again: from the first frame.
    ASSERT_EQ(media.SeekToStart(d), 0u);
    play();
    drawn(0);
    EXPECT_EQ(screen.GetPixel(42, 30), MakeColorref(255, 0, 0));
    int other = 0;
    EXPECT_FALSE(media.DrawVideo(&other, screen, area)) << "no video plays in another window";
}

TEST_F(AvMediaTest, AnAttachedSinkHearsTheWholeSoundAndStopsWithThePlayer)
{
    class RecordingSink final : public IAudioSink {
    public:
        void Start(IAudioSource* source) override
        {
            ++starts;
            int16_t buffer[4096];
            for (size_t n; (n = source->Read(buffer, 2048)) > 0;)
                frames += n;
        }
        void Stop(IAudioSource*) override { ++stops; }
        size_t frames = 0;
        int starts = 0, stops = 0;
    } sink;
    media.AttachAudioSink(&sink);
    MediaDevicePlayer player(media);
    ASSERT_TRUE(player.Open(dir.Write("tone.wav", testmedia::Wav(1000, 8000)), nullptr));
    ASSERT_TRUE(player.Play());
    EXPECT_NEAR(double(sink.frames), 44100, 44.1 * 50);
    EXPECT_TRUE(player.Pause());
    EXPECT_TRUE(player.Resume());
    EXPECT_EQ(sink.starts, 2);
    EXPECT_EQ(sink.stops, 1);
    player.Close(true);
    EXPECT_EQ(sink.stops, 2);
}

struct BadFile {
    const char* name;
    std::string bytes;
};

class BadMediaFiles : public AvMediaTest, public ::testing::WithParamInterface<BadFile> { };

TEST_P(BadMediaFiles, AreRefusedCleanly)
{
    uint32_t device = 77;
    EXPECT_EQ(media.Open(dir.Write(GetParam().name, GetParam().bytes).c_str(), device), Mci::kErrInvalidFile);
    EXPECT_EQ(device, 77u);
    EXPECT_EQ(media.OpenDevices(), 0u);
}

std::string Cut(const std::string& bytes, size_t n)
{
    return bytes.substr(0, n);
}

INSTANTIATE_TEST_SUITE_P(Files, BadMediaFiles,
                         ::testing::Values(BadFile{"empty.wav", ""},
                                           BadFile{"text.avi", "This is not a movie at all.\n"},
                                           BadFile{"header.wav", Cut(testmedia::Wav(500), 30)},
                                           BadFile{"header.avi", Cut(testmedia::Avi(8, 8, 2, 5, Stripes), 100)},
                                           BadFile{"playlist.m3u", "#EXTM3U\n#EXTINF:10,\nfile:/etc/passwd\n"},
                                           BadFile{"noise.mp3", std::string(4096, '\x5a')}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (c == '.')
                                     c = '_';
                             }
                             return name;
                         });

TEST_F(AvMediaTest, FilesTheFuzzerFoundArePlayedOrRefusedCleanly)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QM_TEST_DATA_DIR "/media")) {
        ++files;
        const std::string path = entry.path().string();
        uint32_t device = 0;
        if (media.Open(path.c_str(), device) == 0) {
            int panel = 0;
            media.SetWindow(device, &panel);
            media.Play(device, nullptr);
            Picture screen;
            screen.CreateBlank(32, 32, 0);
            clock.Advance(500);
            media.DrawVideo(&panel, screen, screen.GetRect());
            media.Close(device, nullptr);
        }
        AvAudioSource sound;
        int16_t buffer[2 * 1024];
        if (sound.Open(path))
            sound.Read(buffer, 1024);
    }
    EXPECT_GT(files, 0);
    // A sample rate of 1.2 GHz is no sound: converting it would take gigabytes.
    uint32_t device = 0;
    EXPECT_EQ(media.Open(QM_TEST_DATA_DIR "/media/oom-sample-rate.wav", device), Mci::kErrInvalidFile);
}

TEST_F(AvMediaTest, ATruncatedVideoPlaysTheFramesItHas)
{
    const std::string whole = testmedia::Avi(32, 24, 10, 10, Stripes);
    const uint32_t d = OpenFile("cut.avi", whole.substr(0, whole.size() / 2));
    int panel = 0;
    media.SetWindow(d, &panel);
    media.Play(d, nullptr);
    Picture screen;
    screen.CreateBlank(32, 24, 0);
    for (int at : {0, 400, 900, 5000}) {
        clock.Set(5000 + uint32_t(at));
        media.DrawVideo(&panel, screen, screen.GetRect());
    }
    EXPECT_EQ(RedOf(screen.GetPixel(5, 5)), 255) << "the last frame it has stays on screen";
    uint32_t missing = 0;
    EXPECT_EQ(media.Open(dir.File("nothing.wav").c_str(), missing), Mci::kErrFileNotFound);
}

} // namespace

TEST_F(AvMediaTest, PipesAndFoldersAreRefusedWithoutWaiting)
{
    const std::string pipe = dir.File("music.wav");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    uint32_t device = 77;
    EXPECT_EQ(media.Open(pipe.c_str(), device), Mci::kErrInvalidFile); // opening it would wait for a writer
    EXPECT_EQ(media.Open(dir.Path().string().c_str(), device), Mci::kErrInvalidFile);
    EXPECT_EQ(device, 77u);
}

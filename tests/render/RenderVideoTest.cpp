#include "codecs/PictureLoad.h"
#include "db/DatabaseWriter.h"
#include "gfx/Picture.h"
#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"
#include "render/FolderLock.h"
#include "render/RenderAudioMix.h"
#include "render/RenderFrames.h"
#include "render/RenderShow.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

constexpr Colorref kBackground = MakeColorref(0x10, 0x30, 0x50);

// Frame f of the clip: the top half orange with green f * 12, the bottom half blue.
uint32_t Clip(int f, int, int y)
{
    return y < 12 ? 0xFF0000u | uint32_t(f * 12) << 8 : 0x0000FFu;
}

// The tables of a project of video items, one per file name, and of the stored media (name, bytes).
std::vector<TableContent> VideoProject(const ProjectOptions& options, const MediaSettingsRecord& item,
                                       const std::vector<std::string>& videos,
                                       const std::vector<std::pair<std::string, std::string>>& stored = {})
{
    TableContent project("project", {"data", "projectname", "appname"});
    project.AddRecord({options.ToString(), "Clip.kdp", "Clip"});
    TableContent setting("setting", {"data", "filename", "effect"});
    for (const std::string& video : videos)
        setting.AddRecord({item.ToString(), video, ""});
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    TableContent media("media", {"name", "media"}, {false, true});
    for (const auto& [name, bytes] : stored)
        media.AddRecord({name, bytes});
    return {project, setting, music, media};
}

// A program whose items are the videos beside it, shown at half the screen's width over a solid background;
// with `bareDatabase`, the project database alone, in a file of its own.
std::string WriteProgram(const TempDir& dir, const std::vector<std::string>& videos, bool bareDatabase = false)
{
    ProjectOptions options;
    options.SetI32(ProjectOptions::kDisplayTime, 1);
    options.SetFlag(ProjectOptions::kBesideExecutable, true);
    MediaSettingsRecord item;
    item.SetI32(MediaSettingsRecord::kMediaType, MediaKind::kVideo);
    item.SetI32(MediaSettingsRecord::kVideoMode, 3);
    item.SetFlag(MediaSettingsRecord::kBackgroundSolid, true);
    item.SetU32(MediaSettingsRecord::kBackgroundColour, kBackground);
    std::vector<std::string> names;
    for (const std::string& video : videos)
        names.push_back("C:\\movies\\" + video);
    const std::vector<TableContent> tables = VideoProject(options, item, names);

    dir.Write("clip.avi", testmedia::Avi(32, 24, 20, 10, Clip));
    dir.Write("broken.avi", "RIFF, but no movie");
    const std::string exe = dir.Write("runtime.bin", "MZ program image");
    const std::string program = dir.File(bareDatabase ? "clip.db" : "clip.scr");
    std::string error;
    if (bareDatabase ? !WriteDatabaseFile(program, tables, &error) : !AttachDatabase(exe, program, tables, &error))
        ADD_FAILURE() << error;
    return program;
}

bool SamePixels(const Picture& a, const Picture& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y) {
        if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(a.Width()) * 4) != 0)
            return false;
    }
    return true;
}

class RenderVideo : public ::testing::Test {
protected:
    // The items at 320 x 240, ten frames a second, as frames in "frames".
    RenderOptions Options(const std::vector<std::string>& videos, int seconds, bool bareDatabase = false)
    {
        RenderOptions options;
        options.programPath = WriteProgram(dir, videos, bareDatabase);
        options.outDir = dir.File("frames");
        options.width = 320;
        options.height = 240;
        options.seconds = seconds;
        options.fps = 10;
        return options;
    }
    void Render(const RenderOptions& options)
    {
        RenderResult result;
        std::string error;
        ASSERT_TRUE(RenderShow(options, result, error)) << error;
        EXPECT_EQ(result.frames, options.seconds * 10);
    }
    void Render(const std::vector<std::string>& videos, int seconds) { Render(Options(videos, seconds)); }
    Picture frame(int index, const std::string& folder = "frames")
    {
        Picture picture;
        const std::string name = RenderFrames::FrameName(index);
        EXPECT_EQ(LoadFromFile(picture, dir.File(folder + "/" + name)), 1) << name;
        return picture;
    }
    TempDir dir;
};

TEST_F(RenderVideo, FramesShowTheVideosOwnPixelsInItsPanelOverTheBackground)
{
    Render({"clip.avi"}, 3);
    // Half the width with the clip's aspect: 160 x 120 in the middle. The clip starts 10 ms after the item,
    // and as the only item it starts again at the check after its end (2010 ms).
    for (auto [index, clipFrame] : {std::pair{5, 4}, std::pair{15, 14}, std::pair{25, 4}}) {
        const Picture shot = frame(index);
        EXPECT_EQ(shot.GetPixel(160, 80), MakeColorref(255, clipFrame * 12, 0)) << "frame " << index;
        EXPECT_EQ(shot.GetPixel(81, 61), MakeColorref(255, clipFrame * 12, 0));
        EXPECT_EQ(shot.GetPixel(238, 178), MakeColorref(0, 0, 255));
        EXPECT_EQ(shot.GetPixel(79, 100), kBackground) << "left of the panel";
        EXPECT_EQ(shot.GetPixel(160, 181), kBackground) << "below the panel";
    }
}

// Videos stored in the project play from a copy in the temporary folder, made as the item starts.
TEST_F(RenderVideo, AStoredVideoShowsItsFirstFrameAtOnceAndHandsOverAtTheCheckAfterItsEnd)
{
    ProjectOptions options;
    options.SetI32(ProjectOptions::kDisplayTime, 0);
    options.SetFlag(ProjectOptions::kMediaInDatabase, true);
    MediaSettingsRecord item;
    item.SetI32(MediaSettingsRecord::kMediaType, MediaKind::kVideo);
    item.SetI32(MediaSettingsRecord::kVideoMode, 5);
    // 2 s at 10 frames a second, then a green one.
    const auto tables =
        VideoProject(options, item, {"first.avi", "second.avi"},
                     {{"first.avi", testmedia::Avi(32, 24, 20, 10, Clip)},
                      {"second.avi", testmedia::Avi(32, 24, 20, 10, [](int, int, int) { return 0x00FF00u; })}});
    RenderOptions render = Options({}, 3);
    render.programPath = dir.File("stored.db");
    render.fps = 50;
    std::string error;
    ASSERT_TRUE(WriteDatabaseFile(render.programPath, tables, &error)) << error;
    RenderResult result;
    ASSERT_TRUE(RenderShow(render, result, error)) << error;

    // The clip's first frame within two frames (40 ms) of the show's start; the second item no later than
    // 1 s after the first one's length.
    EXPECT_EQ(frame(2).GetPixel(160, 60), MakeColorref(255, 0, 0));
    EXPECT_EQ(frame(100).GetPixel(160, 60), MakeColorref(255, 19 * 12, 0)) << "the last frame, at the clip's end";
    EXPECT_EQ(frame(149).GetPixel(160, 60), MakeColorref(0, 255, 0));
}

TEST_F(RenderVideo, AFileThatIsNoVideoHandsOverAtTheFirstCheck)
{
    Render({"broken.avi", "clip.avi"}, 3);
    // No device opens it: the panel of a device's closed rectangle (100 x 100, here 160 x 160) stays black.
    const Picture broken = frame(5);
    EXPECT_EQ(broken.GetPixel(160, 120), Colorref(0));
    EXPECT_EQ(broken.GetPixel(160, 30), kBackground);
    // Its end is seen at the first check (1010 ms), then the display time of 1 s: the clip from 2020 ms.
    EXPECT_EQ(frame(25).GetPixel(160, 80), MakeColorref(255, 4 * 12, 0));
}

TEST_F(RenderVideo, RepeatedFramesAreLinksToTheFrameBeforeAndOldFramesGo)
{
    // A longer render before left frames this one would not overwrite.
    std::filesystem::create_directories(dir.File("frames"));
    dir.Write("frames/frame-00099.png", "old");
    dir.Write("frames/frame-cover.png", "not one of ours");
    // The broken item's still panel, then the clip's moving pictures.
    Render(Options({"broken.avi", "clip.avi"}, 3));
    EXPECT_FALSE(std::filesystem::exists(dir.File("frames/frame-00099.png")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("frames/frame-cover.png")));

    // Only what the show presented is compared: a frame is a link exactly when its pixels repeat.
    int links = 0, changes = 0;
    Picture before = frame(0);
    for (int i = 1; i < 30; ++i) {
        struct stat a {
        }, b{};
        ASSERT_EQ(stat(dir.File("frames/" + RenderFrames::FrameName(i - 1)).c_str(), &a), 0);
        ASSERT_EQ(stat(dir.File("frames/" + RenderFrames::FrameName(i)).c_str(), &b), 0);
        const bool linked = a.st_ino == b.st_ino;
        Picture now = frame(i);
        EXPECT_EQ(linked, SamePixels(before, now)) << "frame " << i;
        (linked ? links : changes) += 1;
        before = std::move(now);
    }
    EXPECT_GT(links, 0);
    EXPECT_GT(changes, 0);
}

TEST_F(RenderVideo, ABareProjectDatabaseRendersAsItsProgramDoes)
{
    Render(Options({"clip.avi"}, 2));
    std::filesystem::rename(dir.File("frames"), dir.File("program-frames"));
    Render(Options({"clip.avi"}, 2, true));
    for (int index : {0, 5, 15})
        EXPECT_TRUE(SamePixels(frame(index, "program-frames"), frame(index))) << "frame " << index;
}

TEST_F(RenderVideo, AVideoFileHoldsEveryFrameInH264AndTheSound)
{
    RenderOptions options = Options({"clip.avi"}, 3);
    options.outDir.clear();
    options.videoPath = dir.File("show.mp4");
    Render(options);
    EXPECT_FALSE(std::filesystem::exists(dir.File("frames")));

    AVFormatContext* format = nullptr;
    ASSERT_EQ(avformat_open_input(&format, options.videoPath.c_str(), nullptr, nullptr), 0);
    ASSERT_GE(avformat_find_stream_info(format, nullptr), 0);
    const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    ASSERT_GE(video, 0);
    ASSERT_GE(audio, 0);
    const AVCodecParameters* picture = format->streams[video]->codecpar;
    EXPECT_EQ(picture->codec_id, AV_CODEC_ID_H264);
    EXPECT_EQ(picture->width, 320);
    EXPECT_EQ(picture->height, 240);
    EXPECT_EQ(format->streams[audio]->codecpar->codec_id, AV_CODEC_ID_AAC);
    int frames = 0;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(format, packet) >= 0) {
        frames += packet->stream_index == video;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&format);
    EXPECT_EQ(frames, 30) << "repeated frames are still frames of the video";
}

// The files in a folder, hidden ones included.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(RenderVideo, WithoutALengthTheShowRunsOncePastEveryItem)
{
    // Two clips of 2 s, each followed by the display time of 1 s.
    RenderOptions options = Options({"clip.avi", "clip.avi"}, 0);
    RenderResult result;
    std::string error;
    ASSERT_TRUE(RenderShow(options, result, error)) << error;
    EXPECT_EQ(result.end, RenderResult::End::OnePass);
    EXPECT_EQ(result.items, 2);
    EXPECT_GE(result.milliseconds, 6000u);
    EXPECT_LE(result.milliseconds, 7000u);
    EXPECT_EQ(uint64_t(result.frames), result.milliseconds / 100);
    EXPECT_TRUE(result.contactSheet);
    std::vector<std::string> files = FilesIn(options.outDir);
    EXPECT_EQ(files.size(), size_t(result.frames) + 1) << "frames and the contact sheet, no lock or part file";
    EXPECT_EQ(files.back(), RenderFrames::FrameName(result.frames - 1));
}

TEST_F(RenderVideo, AFullDiskNamesTheFileAndTheReasonAndLeavesNothingPartWritten)
{
    for (const bool toVideo : {false, true}) {
        RenderOptions options = Options({"clip.avi"}, 3);
        if (toVideo) {
            options.outDir.clear();
            options.videoPath = dir.Write("earlier.mp4", std::string(100000, 'v'));
        }
        RenderResult result;
        std::string error;
        {
            const FileSizeLimit nearlyFull(600);
            EXPECT_FALSE(RenderShow(options, result, error));
        }
        const std::string named =
            toVideo ? "cannot write " + options.videoPath : "cannot write " + options.outDir + "/frame-";
        EXPECT_THAT(error, ::testing::StartsWith(named));
        EXPECT_THAT(error, ::testing::EndsWith(": File too large"));
        if (toVideo) {
            EXPECT_EQ(std::filesystem::file_size(options.videoPath), 100000u) << "the earlier video stays whole";
            EXPECT_THAT(FilesIn(dir.Path().string()),
                        ::testing::Not(::testing::Contains(::testing::EndsWith(".part"))));
        } else {
            EXPECT_THAT(FilesIn(options.outDir), ::testing::IsEmpty()) << "no frame of a failed render is left";
        }
    }
}

TEST_F(RenderVideo, ASecondRenderIntoAFolderInUseIsRefused)
{
    RenderOptions options = Options({"clip.avi"}, 1);
    std::filesystem::create_directories(options.outDir);
    // A lock file a killed render left behind holds nothing.
    dir.Write("frames/" + std::string(FolderLock::kFileName), "");
    {
        FolderLock first;
        std::string error;
        ASSERT_TRUE(first.Take(options.outDir, error)) << error;
        RenderResult result;
        EXPECT_FALSE(RenderShow(options, result, error));
        EXPECT_EQ(error,
                  "another render is writing into " + options.outDir + "; wait for it to end or choose another folder");
        EXPECT_EQ(FilesIn(options.outDir), std::vector<std::string>{FolderLock::kFileName});
    }
    EXPECT_THAT(FilesIn(options.outDir), ::testing::IsEmpty()) << "the lock goes with its holder";
    Render(options);
}

TEST(RenderShowInput, WhatCannotServeIsNamed)
{
    TempDir dir;
    const std::string program = WriteProgram(dir, {"clip.avi"});
    // Any file ends in four bytes that read as an offset; one small enough must still carry a project.
    const std::string noProject = dir.Write("tool",
                                            std::string("\x7F"
                                                        "ELF and more bytes\x04\0\0\0",
                                                        23));
    const std::string folder = dir.File("frames");
    struct Case {
        std::string file, out, video;
        int width;
        std::string message;
    } cases[] = {
        {dir.Path().string(), folder, "", 320, dir.Path().string() + " is a folder"},
        {dir.File("missing.scr"), folder, "", 320, "no such file: " + dir.File("missing.scr")},
        {noProject, folder, "", 320,
         noProject +
             " carries no project: give a program with a project attached (.scr), a project database, a "
             "manifest (.toml) or a folder of pictures"},
        {program, folder, "", 8193, "the size must lie between 16x16 and 8192x8192"},
        {program, "", "", 320, "give a folder for the frames or a video file"},
        {program, "", dir.File("nowhere/show.mp4"), 320, "no such folder: " + dir.File("nowhere")},
        {program, "", dir.Path().string(), 320, dir.Path().string() + " is a folder"},
    };
    for (const Case& c : cases) {
        RenderOptions options;
        options.programPath = c.file;
        options.outDir = c.out;
        options.videoPath = c.video;
        options.width = c.width;
        options.height = 240;
        options.seconds = 1;
        RenderResult result;
        std::string error;
        EXPECT_FALSE(RenderShow(options, result, error)) << c.message;
        EXPECT_EQ(error, c.message);
    }
    EXPECT_FALSE(std::filesystem::exists(folder)) << "nothing is made for a render that cannot run";
}

// A sound of constant samples.
class ConstantSource final : public IAudioSource {
public:
    explicit ConstantSource(int16_t value) : value_(value) { }
    size_t Read(int16_t* out, size_t frames) override
    {
        std::fill(out, out + frames * kChannels, value_);
        return frames;
    }

private:
    int16_t value_;
};

TEST(RenderAudioMix, SoundsLandWhereTheShowStartedAndStoppedThem)
{
    uint64_t now = 500;
    RenderAudioMix mix([&now] { return now; });
    ConstantSource quiet(1000), loud(32000);
    mix.Start(&quiet);
    now = 1000;
    mix.Start(&loud);
    std::vector<int16_t> samples = mix.TakeUpTo(1500);
    ASSERT_EQ(samples.size(), 66150u * 2);
    EXPECT_EQ(samples[22049 * 2], 0) << "silence before the first sound";
    EXPECT_EQ(samples[22050 * 2 + 1], 1000);
    EXPECT_EQ(samples[44099 * 2], 1000);
    EXPECT_EQ(samples[44100 * 2], 32767) << "the sum is clipped";
    now = 1500;
    mix.Stop(&loud);
    samples = mix.TakeUpTo(2000);
    ASSERT_EQ(samples.size(), 22050u * 2);
    EXPECT_EQ(samples.front(), 1000);
    EXPECT_EQ(samples.back(), 1000);
}

} // namespace

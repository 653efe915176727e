#include "app/posix/RenderFrames.h"
#include "app/posix/RenderShow.h"
#include "codecs/PictureLoad.h"
#include "db/DatabaseWriter.h"
#include "gfx/ComPicture.h"
#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

namespace {

constexpr Colorref kBackground = MakeColorref(0x10, 0x30, 0x50);

// Frame f of the clip: the top half orange with green f * 12, the bottom half blue.
uint32_t Clip(int f, int, int y)
{
    return y < 12 ? 0xFF0000u | uint32_t(f * 12) << 8 : 0x0000FFu;
}

// A program whose items are the videos beside it, shown at half the screen's width over a solid background.
std::string WriteProgram(const TempDir& dir, const std::vector<std::string>& videos)
{
    ProjectOptions options;
    options.SetI32(ProjectOptions::kDisplayTime, 1);
    options.SetFlag(ProjectOptions::kBesideExecutable, true);
    MediaSettingsRecord item;
    item.SetI32(MediaSettingsRecord::kMediaType, MediaSettingsRecord::kVideo);
    item.SetI32(MediaSettingsRecord::kVideoMode, 3);
    item.SetFlag(MediaSettingsRecord::kBackgroundSolid, true);
    item.SetU32(MediaSettingsRecord::kBackgroundColour, kBackground);

    TableContent project("project", {"data", "projectname", "appname"});
    project.AddRecord({options.ToString(), "Clip.kdp", "Clip"});
    TableContent setting("setting", {"data", "filename", "effect"});
    for (const std::string& video : videos)
        setting.AddRecord({item.ToString(), "C:\\movies\\" + video, ""});
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    TableContent media("media", {"name", "media"}, {false, true});

    dir.Write("clip.avi", testmedia::Avi(32, 24, 20, 10, Clip));
    dir.Write("broken.avi", "RIFF, but no movie");
    const std::string exe = dir.Write("runtime.bin", "MZ program image");
    const std::string program = dir.File("clip.scr");
    std::string error;
    if (!AttachDatabase(exe, program, {project, setting, music, media}, &error))
        ADD_FAILURE() << error;
    return program;
}

class RenderVideo : public ::testing::Test {
protected:
    // Renders the items at 320 x 240, ten frames a second.
    void Render(const std::vector<std::string>& videos, int seconds)
    {
        RenderOptions options;
        options.programPath = WriteProgram(dir, videos);
        options.outDir = dir.File("frames");
        options.width = 320;
        options.height = 240;
        options.seconds = seconds;
        options.fps = 10;
        RenderResult result;
        std::string error;
        ASSERT_TRUE(RenderShow(options, result, error)) << error;
        EXPECT_EQ(result.frames, seconds * 10);
    }
    CComPicture frame(int index)
    {
        CComPicture picture;
        const std::string name = CRenderFrames::FrameName(index);
        EXPECT_EQ(LoadFromFile(picture, dir.File("frames/" + name)), 1) << name;
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
        const CComPicture shot = frame(index);
        EXPECT_EQ(shot.GetPixel(160, 80), MakeColorref(255, clipFrame * 12, 0)) << "frame " << index;
        EXPECT_EQ(shot.GetPixel(81, 61), MakeColorref(255, clipFrame * 12, 0));
        EXPECT_EQ(shot.GetPixel(238, 178), MakeColorref(0, 0, 255));
        EXPECT_EQ(shot.GetPixel(79, 100), kBackground) << "left of the panel";
        EXPECT_EQ(shot.GetPixel(160, 181), kBackground) << "below the panel";
    }
}

TEST_F(RenderVideo, AFileThatIsNoVideoHandsOverAtTheFirstCheck)
{
    Render({"broken.avi", "clip.avi"}, 3);
    // No device opens it: the panel of a device's closed rectangle (100 x 100, here 160 x 160) stays black.
    const CComPicture broken = frame(5);
    EXPECT_EQ(broken.GetPixel(160, 120), Colorref(0));
    EXPECT_EQ(broken.GetPixel(160, 30), kBackground);
    // Its end is seen at the first check (1010 ms), then the display time of 1 s: the clip from 2020 ms.
    EXPECT_EQ(frame(25).GetPixel(160, 80), MakeColorref(255, 4 * 12, 0));
}

} // namespace

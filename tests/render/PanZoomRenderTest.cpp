// Moving pictures in a rendered show: the same frames on every run, motion between the transitions.
#include "db/DatabaseWriter.h"
#include "model/MediaSettingsRecord.h"
#include "model/PanZoomSetting.h"
#include "model/ProjectOptions.h"
#include "render/RenderShow.h"
#include "support/SlideTestProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// Two pictures that fill the window, fading in, moving in a random direction while they are shown (2 s).
std::string WriteShow(const TempDir& dir)
{
    ProjectOptions options;
    options.SetI32(ProjectOptions::kDisplayTime, 2);
    options.SetFlag(ProjectOptions::kMediaInDatabase, true);
    options.SetI32(ProjectOptions::kSlideBackgroundMode, 1);
    options.SetI32(ProjectOptions::kScaleMode, 3);
    MediaSettingsRecord item;
    item.SetFlag(MediaSettingsRecord::kTransition, true);
    item.SetI32(MediaSettingsRecord::kTransitionSpeed, 125);
    WritePanZoom(item, PanZoomSetting{.enabled = true, .zoomPercent = 150});

    TableContent project("project", {"data", "projectname", "appname"});
    project.AddRecord({options.ToString(), "Moving.kdp", "Moving"});
    TableContent setting("setting", {"data", "filename", "effect"});
    setting.AddRecord({item.ToString(), "a.bmp", "161;"});
    setting.AddRecord({item.ToString(), "b.bmp", "162;"});
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    TableContent media("media", {"name", "media"}, {false, true});
    media.AddRecord({"a.bmp", MakeBmp(80, 60, [](int x, int y) { return uint32_t(x * 3) << 16 | uint32_t(y * 4); })});
    media.AddRecord({"b.bmp", MakeBmp(80, 60, [](int x, int y) { return uint32_t(y * 4) << 8 | uint32_t(x * 3); })});
    const std::string path = dir.File("moving.db");
    std::string error;
    if (!WriteDatabaseFile(path, {project, setting, music, media}, &error))
        ADD_FAILURE() << error;
    return path;
}

} // namespace

TEST(PanZoomRender, RepeatsExactlyAndMovesBetweenTheFades)
{
    TempDir dir;
    const std::string show = WriteShow(dir);
    std::vector<std::string> runs;
    for (const char* folder : {"one", "two"}) {
        RenderOptions options;
        options.programPath = show;
        options.outDir = dir.File(folder);
        options.width = 64;
        options.height = 48;
        options.seconds = 5;
        options.fps = 10;
        RenderResult result;
        std::string error;
        ASSERT_TRUE(RenderShow(options, result, error)) << error;
        // Every frame differs from the one before: the fades, then the motion, all the time.
        EXPECT_GE(result.distinctFrames, result.frames - 2);
        std::string frames;
        for (int i = 0; i < result.frames; ++i)
            frames += TempDir::Read(
                dir.File(std::string(folder) + "/frame-" + (i < 10 ? "0000" : "000") + std::to_string(i) + ".png"));
        runs.push_back(frames);
    }
    EXPECT_EQ(runs[0], runs[1]);
}

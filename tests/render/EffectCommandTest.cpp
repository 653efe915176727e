// `screensaver effect`: one transition traced through the real engine, frame files and frames.tsv.
#include "render/EffectCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "codecs/PictureLoad.h"
#include "gfx/Picture.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int CountFrames(const fs::path& dir)
{
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        n += entry.path().filename().string().rfind("frame-", 0) == 0;
    return n;
}

} // namespace

TEST(EffectCommand, TracesEveryFrameWithItsDelayAndPresentedRectangles)
{
    TempDir dir;
    EffectCommandOptions options;
    options.index = 145; // Window blind down: 20 frames of 30 ms
    options.outDir = dir.File("blind");
    options.window = "64x48";
    options.background = "#203040";
    std::string summary, error;
    ASSERT_EQ(RunEffectCommand(options, summary, error), 0) << error;
    EXPECT_EQ(summary.rfind("Window blind down: 20 frames, 600 ms nominal", 0), 0u) << summary;
    EXPECT_EQ(CountFrames(options.outDir), 20);
    const auto tsv = Lines(options.outDir + "/frames.tsv");
    ASSERT_EQ(tsv.size(), 20u);
    EXPECT_EQ(tsv[0], "0\t30\t0,0,64,48"); // the background's paint goes out with the first frame
    EXPECT_EQ(tsv[1].rfind("1\t30\t", 0), 0u);

    // The last frame and the final canvas: the test picture of half the window, centred, on the colour.
    Picture final;
    ASSERT_EQ(LoadFromFile(final, options.outDir + "/final.png"), 1);
    EXPECT_EQ(final.Width(), 64);
    EXPECT_EQ(final.GetPixel(0, 0), 0x403020u);
    EXPECT_NE(final.GetPixel(32, 24), 0x403020u);

    // A stop after frame 2 ends the blind at frame 3; an earlier trace's frames are gone.
    options.stopAfter = 2;
    ASSERT_EQ(RunEffectCommand(options, summary, error), 0) << error;
    EXPECT_NE(summary.find(", stopped"), std::string::npos);
    EXPECT_EQ(CountFrames(options.outDir), 4);
    EXPECT_EQ(Lines(options.outDir + "/frames.tsv").back().rfind("3\t0\t", 0), 0u);
}

TEST(EffectCommand, BadInputIsRefusedWithNothingWritten)
{
    TempDir dir;
    const std::string text = dir.Write("notes.png", "not a picture");
    Picture big;
    big.CreateBlank(100, 10, 0);
    const std::string bmp = dir.File("wide.bmp");
    ASSERT_EQ(big.SaveAsBitmapFile(bmp), 1);
    struct Case {
        EffectCommandOptions options;
        const char* says;
    };
    auto with = [&](auto change) {
        EffectCommandOptions o;
        o.outDir = dir.File("out");
        o.window = "64x48";
        change(o);
        return o;
    };
    const Case cases[] = {
        {with([](auto& o) { o.index = 163; }), "outside -1 to 162"},
        {with([](auto& o) { o.index = -2; }), "outside -1 to 162"},
        {with([](auto& o) { o.window = "64by48"; }), "--window"},
        {with([](auto& o) { o.window = "0x48"; }), "--window"},
        {with([&](auto& o) { o.slidePath = bmp; }), "larger than the window"},
        {with([&](auto& o) { o.slidePath = dir.File("missing.png"); }), "no such file"},
        {with([&](auto& o) { o.slidePath = text; }), "cannot decode"},
        {with([&](auto& o) { o.slidePath = dir.Path().string(); }), "is a folder"},
        {with([](auto& o) { o.background = "#12345"; }), "#RRGGBB"},
        {with([](auto& o) { o.background = "#12345G"; }), "#RRGGBB"},
        {with([](auto& o) { o.at = "3;4"; }), "X,Y"},
    };
    for (const Case& c : cases) {
        std::string summary, error;
        EXPECT_EQ(RunEffectCommand(c.options, summary, error), 2) << c.says;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(dir.File("out"))) << c.says;
    }
}

// A member of each kind of effect: a frame file and a frames.tsv line per frame, and the slide whole at the
// end (the slide is the generated picture, the background a plain colour, so the centre is never the colour).
TEST(EffectCommand, TracesEffectsOfEveryKind)
{
    TempDir dir;
    for (int index : {0, 20, 40, 58, 67, 89, 105, 123}) {
        EffectCommandOptions options;
        options.index = index;
        options.outDir = dir.File("fx" + std::to_string(index));
        options.window = "48x40";
        options.background = "#203040";
        options.step = 3;
        std::string summary, error;
        ASSERT_EQ(RunEffectCommand(options, summary, error), 0) << index << ": " << error;
        const auto tsv = Lines(options.outDir + "/frames.tsv");
        EXPECT_GT(tsv.size(), 1u) << index;
        EXPECT_EQ(CountFrames(options.outDir), static_cast<int>(tsv.size())) << index;
        Picture final;
        ASSERT_EQ(LoadFromFile(final, options.outDir + "/final.png"), 1);
        for (int y = 10; y < 30; ++y)
            for (int x = 12; x < 36; ++x)
                ASSERT_NE(final.GetPixel(x, y), 0x403020u) << index << " at " << x << "," << y;
        EXPECT_EQ(final.GetPixel(0, 0), 0x403020u) << index;
    }
}

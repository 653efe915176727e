#include "model/PanZoomSetting.h"
#include "scrpack/manifest/ManifestReader.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

// Parses a manifest written into a fresh folder with a few media files beside it.
struct ManifestFixture : ::testing::Test {
    TempDir dir;
    ManifestFixture()
    {
        dir.Write("a.jpg", "AAAA");
        dir.Write("b.png", "BB");
        dir.Write("tune.wav", "RIFF");
    }
    PackPlan Parse(const std::string& text) { return ParseManifest(text, dir.File("show.toml")); }
    std::string Error(const std::string& text)
    {
        try {
            Parse(text);
        } catch (const ManifestError& e) {
            return e.what();
        }
        return "no error";
    }
};

} // namespace

TEST_F(ManifestFixture, EmptyManifestGivesStoredProjectDefaults)
{
    PackPlan plan = Parse("");
    const ProjectOptions& o = plan.project.options;
    EXPECT_EQ(o.DisplayTime(), 30);
    EXPECT_EQ(o.MusicPause(), 60);
    EXPECT_TRUE(o.MusicLoop());
    EXPECT_TRUE(o.MediaInDatabase());
    EXPECT_FALSE(o.BesideExecutable());
    EXPECT_EQ(o.ScaleMode(), 1);
    EXPECT_TRUE(plan.items.empty());
    EXPECT_TRUE(plan.media.empty());
}

TEST_F(ManifestFixture, NamedValuesLandAtTheirOffsets)
{
    PackPlan plan = Parse(R"toml(
[project]
name = "Harbour Lights.kdp"
author = "Me"
[options]
display_time = 12
random_order = true
scale_mode = "stretch"
files_beside_program = true
[[media]]
file = "a.jpg"
type = "video"
video_mode = 5
[media.title]
text = "Hello"
style = ["bold", "underline"]
colour = "#FF8000"
position = "custom"
x = 10
y = -3
[media.background]
placement = "tile"
tiles = 4
gradients = [1, 3]
[media.transition]
effects = [0, "Band left samll", "scan to center(vertical)", "fade through black"]
random = false
speed = 40
[media.pan_zoom]
zoom = 125
from = [0, 100]
to = [100, 0]
)toml");
    EXPECT_EQ(plan.project.texts["projectname"], "Harbour Lights.kdp");
    EXPECT_EQ(plan.project.texts["authorname"], "Me");
    EXPECT_EQ(plan.project.options.DisplayTime(), 12);
    EXPECT_TRUE(plan.project.options.RandomOrder());
    EXPECT_EQ(plan.project.options.ScaleMode(), 3);
    EXPECT_TRUE(plan.project.options.BesideExecutable());
    ASSERT_EQ(plan.items.size(), 1u);
    const auto& item = plan.items[0];
    EXPECT_EQ(item.record.MediaType(), MediaKind::kVideo);
    EXPECT_EQ(item.record.VideoMode(), 5);
    EXPECT_EQ(item.texts.at("filename"), "a.jpg");
    EXPECT_EQ(item.texts.at("title"), "Hello");
    EXPECT_EQ(item.texts.at("titlefontstyle"), "1;3;");
    EXPECT_EQ(item.record.TitleColour(), 0x000080ffu);
    EXPECT_EQ(item.record.TitlePosition(), 9);
    EXPECT_EQ(item.record.TitleX(), 10);
    EXPECT_EQ(item.record.TitleY(), -3);
    EXPECT_EQ(item.record.Placement(), 2);
    EXPECT_EQ(item.record.TileCount(), 4);
    EXPECT_EQ(item.texts.at("gradientstring"), "1;3;");
    EXPECT_EQ(item.texts.at("effect"), "0;13;108;162;");
    EXPECT_EQ(ReadPanZoom(item.record),
              (PanZoomSetting{.enabled = true,
                              .zoomPercent = 125,
                              .pointsChosen = true,
                              .fromX = 0,
                              .fromY = 100,
                              .toX = 100,
                              .toY = 0}));
    EXPECT_FALSE(item.record.RandomEffects());
    EXPECT_EQ(item.record.TransitionSpeed(), 40);
    // Untouched values keep the defaults of a stored project.
    EXPECT_EQ(item.record.TitleSize(), -24);
    EXPECT_EQ(item.record.DescSize(), -16);
    EXPECT_EQ(item.record.I32(100), -1);
    ASSERT_EQ(plan.media.size(), 1u);
    EXPECT_EQ(plan.media[0].name, "a.jpg");
}

TEST_F(ManifestFixture, RawBytesKeepPaddingBehindFlags)
{
    std::string raw(160, '0');
    raw.replace(56, 8, "01f0fd7f"); // offset 28: loop, with leftovers behind the flag
    PackPlan plan = Parse("[options]\nraw = \"" + raw + "\"\nmusic_loop = true\ndisplay_time = 9\n");
    EXPECT_EQ(plan.project.options.U32(28), 0x7ffdf001u);
    EXPECT_EQ(plan.project.options.DisplayTime(), 9);
    plan = Parse("[options]\nraw = \"" + raw + "\"\nmusic_loop = false\n");
    EXPECT_EQ(plan.project.options.U32(28), 0x7ffdf000u);
}

TEST_F(ManifestFixture, ItemsMayShareAFileButNotAName)
{
    PackPlan plan = Parse("[[media]]\nfile = \"a.jpg\"\n[[media]]\nfile = \"a.jpg\"\n[[media]]\nfile = \"b.png\"\n");
    EXPECT_EQ(plan.items.size(), 3u);
    EXPECT_EQ(plan.media.size(), 2u);
    const std::string error = Error("[[media]]\nfile = \"a.jpg\"\n[[media]]\nfile = \"b.png\"\nname = \"A.JPG\"\n");
    EXPECT_THAT(error, HasSubstr("show.toml:5: media[1].name:"));
    EXPECT_THAT(error, HasSubstr("duplicate media name \"A.JPG\""));
    EXPECT_THAT(error, HasSubstr("line 2"));
}

TEST_F(ManifestFixture, ErrorsNameFileLineAndKey)
{
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"[options]\ndisplay_tme = 3\n",
         "show.toml:2: options.display_tme: unknown key (did you mean \"display_time\"?)"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.title]\ncolor = \"#FFFFFF\"\n",
         "show.toml:4: media[0].title.color: unknown key (did you mean \"colour\"?)"},
        {"[options]\nscale-mode = 1\n", "options.scale-mode: unknown key (did you mean \"scale_mode\"?)"},

        {"[options]\ndisplay_time = \"3\"\n", "show.toml:2: options.display_time: expected an integer"},
        {"[options]\nscale_mode = 7\n", "show.toml:2: options.scale_mode: value 7 out of range 0 to 3"},
        {"[options]\nscale_mode = \"huge\"\n", "options.scale_mode: unknown value \"huge\""},
        {"[[media]]\nfile = \"a.jpg\"\n\n[[media]]\nfile = \"nope.jpg\"\n",
         "show.toml:5: media[1].file: file not found"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.title]\ncolour = \"red\"\n", "media[0].title.colour: expected a colour"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.transition]\neffects = [163]\n",
         "media[0].transition.effects: value 163 out of range 0 to 162"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.transition]\neffects = [\"Spin\"]\n",
         "unknown effect \"Spin\" (scrpack effects lists them)"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.transition]\neffects = [\"band down larg\"]\n",
         "unknown effect \"band down larg\" (did you mean \"Band down large\"?)"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.transition]\neffects = [\"Band left small\"]\n",
         "(did you mean \"Band left samll\"?)"},
        {"[[media]]\nfile = \"a.jpg\"\nsound = \"ding.wav\"\n",
         "media[0].sound: no [[music]] entry named \"ding.wav\""},
        {"[[media]]\ntitle = {}\n", "show.toml:1: media[0].name: missing"},
        {"[[media]]\nfile = \"a.jpg\"\nvideo_mode = 6\n", "media[0].video_mode: value 6 out of range 0 to 5"},
        {"[options]\nraw = \"00\"\n", "options.raw: expected 160 hexadecimal digits"},
        {"[[media]]\nfile = \"a.jpg\"\npan_zoom = { zoom = 99 }\n",
         "media[0].pan_zoom.zoom: value 99 out of range 100 to 400"},
        {"[[media]]\nfile = \"a.jpg\"\npan_zoom = { from = [0, 0] }\n", "give both from and to, or neither"},
        {"[[media]]\nfile = \"a.jpg\"\npan_zoom = { from = [0], to = [1, 1] }\n", "pan_zoom.from: expected [x, y]"},
        {"[[media]]\nfile = \"a.jpg\"\npan_zoom = { to = [0, 101], from = [1, 1] }\n",
         "pan_zoom.to: value 101 out of range"},
        {"[[media]]\nfile = \"a.jpg\"\npan_zoom = { speed = 3 }\n", "pan_zoom.speed: unknown key"},
        {"[[media]]\nfile = \"a.jpg\"\npan_zoom = 3\n", "media[0].pan_zoom"},
        {"[[music]]\nfile = \"tune.wav\"\ntrack = 1\n", "music[0].track: expected true or false"},
        {"media_order = [\"x.jpg\"]\n", "media_order: no stored file named \"x.jpg\""},
        {"[options\n", "show.toml:1:"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.title]\ncolour = true\n",
         "media[0].title.colour: expected a colour \"#RRGGBB\" or a number"},
        {"[[media]]\nfile = \"a.jpg\"\n[media.title]\nposition = 3.5\n",
         "media[0].title.position: expected one of top, top-left"},
    };
    for (const Case& c : cases)
        EXPECT_THAT(Error(c.text), HasSubstr(c.expected)) << c.text;
    // Nothing is suggested when no key is near.
    EXPECT_EQ(Error("[options]\nbrightness = 1\n"), dir.File("show.toml") + ":2: options.brightness: unknown key");
}

TEST_F(ManifestFixture, BackgroundImagesByNameAndMediaOrder)
{
    PackPlan plan = Parse(R"toml(
media_order = ["b.png", "a.jpg"]
[[background]]
file = "b.png"
[[media]]
file = "a.jpg"
[media.background]
images = ["B.PNG", 0]
[[music]]
file = "tune.wav"
track = false
)toml");
    EXPECT_EQ(plan.items[0].texts.at("selectedimagebackgroundstring"), "0;0;");
    ASSERT_EQ(plan.media.size(), 2u);
    EXPECT_EQ(plan.media[0].name, "b.png");
    EXPECT_EQ(plan.media[1].name, "a.jpg");
    ASSERT_EQ(plan.music.size(), 1u);
    EXPECT_EQ(plan.music[0].type, 0u);
    EXPECT_THAT(Error("media_order = [\"a.jpg\"]\n[[media]]\nfile = \"a.jpg\"\n[[stored_file]]\nfile = \"b.png\"\n"),
                HasSubstr("must list every stored file once"));
}

TEST_F(ManifestFixture, TextsGivenAsHexKeepCodePageBytes)
{
    PackPlan plan = Parse("[project]\nauthor = { hex = \"43 61 66 e9\" }\n");
    EXPECT_EQ(plan.project.texts["authorname"], "Caf\xe9");
}

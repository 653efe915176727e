#include "live/LiveTarget.h"

#include <gtest/gtest.h>

namespace {

struct TargetCase {
    const char* name;
    LiveOptions options;
    const char* xscreensaverWindow;
    bool ok;
    LiveTarget::Kind kind;
    uint64_t windowId;
};

LiveOptions Options(bool window, const char* id, bool root, int monitor = -1, const char* size = "")
{
    LiveOptions o;
    o.window = window;
    o.windowId = id;
    o.root = root;
    o.monitor = monitor;
    o.size = size;
    return o;
}

class ResolveTarget : public ::testing::TestWithParam<TargetCase> { };

} // namespace

TEST_P(ResolveTarget, ChoosesWhereTheShowDraws)
{
    const TargetCase& c = GetParam();
    LiveTarget target;
    std::string error;
    ASSERT_EQ(ResolveLiveTarget(c.options, c.xscreensaverWindow, target, error), c.ok) << error;
    if (!c.ok) {
        EXPECT_FALSE(error.empty());
        return;
    }
    EXPECT_EQ(target.kind, c.kind);
    EXPECT_EQ(target.windowId, c.windowId);
}

using K = LiveTarget::Kind;
INSTANTIATE_TEST_SUITE_P(
    LiveTarget, ResolveTarget,
    ::testing::Values(
        TargetCase{"full_screen_by_default", Options(false, "", false), nullptr, true, K::Screen, 0},
        TargetCase{"window", Options(true, "", false), nullptr, true, K::Window, 0},
        TargetCase{"hex_id", Options(false, "0x2c00007", false), nullptr, true, K::Foreign, 0x2c00007},
        TargetCase{"decimal_id", Options(false, "46137351", false), nullptr, true, K::Foreign, 46137351},
        TargetCase{"explicit_id_beats_xscreensaver", Options(false, "0x10", false), "0x20", true, K::Foreign, 0x10},
        TargetCase{"xscreensaver_window_under_root", Options(false, "", true), "0x3a00002", true, K::Foreign,
                   0x3a00002},
        TargetCase{"xscreensaver_window_alone", Options(false, "", false), "12", true, K::Foreign, 12},
        TargetCase{"window_ignores_xscreensaver", Options(true, "", false), "12", true, K::Window, 0},
        TargetCase{"empty_xscreensaver_is_none", Options(false, "", true), "", true, K::Root, 0},
        TargetCase{"root", Options(false, "", true), nullptr, true, K::Root, 0},
        TargetCase{"zero_id", Options(false, "0", false), nullptr, false, K::Screen, 0},
        TargetCase{"id_beyond_32_bits", Options(false, "0x100000000", false), nullptr, false, K::Screen, 0},
        TargetCase{"id_with_trailing_text", Options(false, "0x12zz", false), nullptr, false, K::Screen, 0},
        TargetCase{"bare_0x", Options(false, "0x", false), nullptr, false, K::Screen, 0},
        TargetCase{"negative_id", Options(false, "-5", false), nullptr, false, K::Screen, 0},
        TargetCase{"bad_xscreensaver_window", Options(false, "", false), "window", false, K::Screen, 0},
        TargetCase{"window_and_root", Options(true, "", true), nullptr, false, K::Screen, 0},
        TargetCase{"id_and_window", Options(true, "0x10", false), nullptr, false, K::Screen, 0},
        TargetCase{"monitor_in_a_window", Options(true, "", false, 1), nullptr, false, K::Screen, 0},
        TargetCase{"negative_monitor", Options(false, "", false, -2), nullptr, false, K::Screen, 0},
        TargetCase{"size_without_window", Options(false, "", false, -1, "640x480"), nullptr, false, K::Screen, 0},
        TargetCase{"tiny_window", Options(true, "", false, -1, "8x8"), nullptr, false, K::Screen, 0},
        TargetCase{"size_not_a_size", Options(true, "", false, -1, "640"), nullptr, false, K::Screen, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LiveTarget, MonitorAndWindowSizeAreKept)
{
    LiveTarget target;
    std::string error;
    ASSERT_TRUE(ResolveLiveTarget(Options(false, "", false, 2), nullptr, target, error));
    EXPECT_EQ(target.monitor, 2);
    ASSERT_TRUE(ResolveLiveTarget(Options(true, "", false, -1, "640x360"), nullptr, target, error));
    EXPECT_EQ(target.width, 640);
    EXPECT_EQ(target.height, 360);
}

TEST(LiveArguments, AFileAloneMeansPlayAndXScreenSaverSwitchesAreLongOptions)
{
    const std::vector<std::string> commands{"play", "render", "effect", "settings"};
    using V = std::vector<std::string>;
    EXPECT_EQ(NormaliseLiveArguments(V{"screensaver", "show.scr"}, commands), (V{"screensaver", "play", "show.scr"}));
    EXPECT_EQ(NormaliseLiveArguments(V{"screensaver", "-root", "show.scr"}, commands),
              (V{"screensaver", "play", "--root", "show.scr"}));
    EXPECT_EQ(NormaliseLiveArguments(V{"q", "play", "-window-id", "0x12", "s.scr"}, commands),
              (V{"q", "play", "--window-id", "0x12", "s.scr"}));
    EXPECT_EQ(NormaliseLiveArguments(V{"q", "render", "s.scr", "--out", "d"}, commands),
              (V{"q", "render", "s.scr", "--out", "d"}));
    EXPECT_EQ(NormaliseLiveArguments(V{"q", "--help"}, commands), (V{"q", "--help"}));
    EXPECT_EQ(NormaliseLiveArguments(V{"q"}, commands), (V{"q"}));
    EXPECT_EQ(NormaliseLiveArguments(V{"q", "--version"}, commands), (V{"q", "--version"}));
    EXPECT_EQ(NormaliseLiveArguments(V{"q", "rendr", "s.scr"}, commands), (V{"q", "rendr", "s.scr"}))
        << "a word that names no file is left to be reported as an unknown command";
    // A file that happens to be named like a subcommand is reached with play.
    EXPECT_EQ(NormaliseLiveArguments(V{"q", "play", "render"}, commands), (V{"q", "play", "render"}));
}

TEST(LiveArguments, TheLastChoiceOfWhereToDrawCounts)
{
    const std::vector<std::string> commands{"play", "render", "effect", "settings"};
    using V = std::vector<std::string>;
    struct Case {
        V given, read;
    } cases[] = {
        // XScreenSaver's settings preview appends its window to the line the user wrote.
        {{"q", "-root", "s.scr", "--window-id", "0x12"}, {"q", "play", "s.scr", "--window-id", "0x12"}},
        {{"q", "play", "--window-id=0x12", "--root"}, {"q", "play", "--root"}},
        {{"q", "play", "--window", "--size", "640x360", "--monitor", "2"}, {"q", "play", "--monitor", "2"}},
        {{"q", "play", "--root", "--window", "--size", "640x360"}, {"q", "play", "--window", "--size", "640x360"}},
        {{"q", "play", "--root", "--root"}, {"q", "play", "--root"}},
        // A --size without any --window is still play's to refuse; render's --size is render's own.
        {{"q", "play", "--size", "640x360", "--root"}, {"q", "play", "--size", "640x360", "--root"}},
        {{"q", "render", "s.scr", "--size", "640x360", "--out", "d"},
         {"q", "render", "s.scr", "--size", "640x360", "--out", "d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormaliseLiveArguments(c.given, commands), c.read) << c.given.back();
}

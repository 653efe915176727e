#include "config/SettingsText.h"
#include "model/UserSettings.h"
#include "transitions/EffectNames.h"

#include <gtest/gtest.h>

namespace {

std::string Line(const std::string& text, const std::string& name)
{
    const size_t at = ("\n" + text).find("\n" + name + " =");
    return at == std::string::npos ? "(missing)" : text.substr(at, text.find('\n', at) - at);
}

} // namespace

TEST(SettingsText, DescribesWhatThePagesShow)
{
    UserSettings settings;
    settings.playSounds = 0;
    settings.transitionList = "3;5;";
    const std::string text = DescribeSettings(settings);
    EXPECT_EQ(Line(text, "any-event"), "any-event = on");
    EXPECT_EQ(Line(text, "mouse-left-click"), "mouse-left-click = off");
    EXPECT_EQ(Line(text, "key"), "key = A");
    EXPECT_EQ(Line(text, "mute"), "mute = on");
    EXPECT_EQ(Line(text, "time-limit-minutes"), "time-limit-minutes = 60");
    EXPECT_EQ(Line(text, "monitor"), "monitor = 1");
    EXPECT_EQ(Line(text, "speed"), "speed = 25");
    EXPECT_EQ(Line(text, "effects"), "effects = 3,5");
    EXPECT_NE(text.find("      3  Band from center small\n      5  Band from left-bottom small\n"), std::string::npos);
    for (const std::string& name : SettingNames())
        EXPECT_NE(Line(text, name), "(missing)") << name;
}

TEST(SettingsText, AssignmentsChangeOnlyTheirPage)
{
    UserSettings settings;
    settings.transitionList = "7;3;";
    std::string error;
    ASSERT_TRUE(
        AssignSettings(settings, {"mute=on", "Time-Limit = yes", "time-limit-minutes=5", "key=k", "monitor=0"}, error))
        << error;
    EXPECT_EQ(settings.playSounds, 0);
    EXPECT_EQ(settings.timeLimit, 1);
    EXPECT_EQ(settings.timeLimitMinutes, 5);
    EXPECT_EQ(settings.keyValue, 'k');
    EXPECT_EQ(settings.monitor, 0);
    EXPECT_EQ(settings.transitionList, "7;3;") << "the Transitions page was not touched";

    ASSERT_TRUE(AssignSettings(settings, {"effects=Fan wipe, 3;0", "speed=100", "own-transitions=1"}, error)) << error;
    EXPECT_EQ(settings.transitionList, "0;3;" + std::to_string(FindEffectByName("Fan wipe")) + ";");
    EXPECT_EQ(settings.transitionSpeed, 100);
    EXPECT_EQ(settings.useOwnTransitions, 1);
    ASSERT_TRUE(AssignSettings(settings, {"effects=all"}, error));
    EXPECT_EQ(settings.transitionList, UserSettings::AllEffects());
    ASSERT_TRUE(AssignSettings(settings, {"effects=none", "key="}, error));
    EXPECT_EQ(settings.transitionList, "");
    EXPECT_EQ(settings.keyValue, 0);

    // What is printed can be given back.
    UserSettings copy;
    std::vector<std::string> lines;
    const std::string text = DescribeSettings(settings);
    for (size_t at = 0; at < text.size() && text[at] != ' ';) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_TRUE(AssignSettings(copy, lines, error)) << error;
    EXPECT_EQ(copy.Block(), settings.Block());
    EXPECT_EQ(copy.transitionList, settings.transitionList);
}

TEST(SettingsText, BadAssignmentsChangeNothing)
{
    const std::pair<const char*, const char*> cases[] = {
        {"volume=3", "unknown setting \"volume\""},
        {"mute", "--set wants NAME=VALUE"},
        {"mute=maybe", "mute wants on or off, not \"maybe\""},
        {"time-limit-minutes=0", "time-limit-minutes wants a whole number from 1 to 60, not \"0\""},
        {"time-limit-minutes=61", "from 1 to 60"},
        {"mouse-threshold=5x", "from 1 to 100"},
        {"speed=-1", "from 0 to 100"},
        {"monitor=21", "from 0 to 20"},
        {"key=ab", "key wants one character"},
        {"effects=3,163", "there is no effect 163 (they are numbered 0 to 162)"},
        {"effects=Sparkle", "no effect is named \"Sparkle\""},
    };
    for (const auto& [assignment, message] : cases) {
        UserSettings settings;
        const auto before = settings.Block();
        std::string error;
        EXPECT_FALSE(AssignSettings(settings, {"mute=on", "effects=none", assignment}, error)) << assignment;
        EXPECT_NE(error.find(message), std::string::npos) << error;
        EXPECT_EQ(settings.Block(), before) << assignment;
        EXPECT_EQ(settings.transitionList, UserSettings::AllEffects()) << assignment;
    }
}

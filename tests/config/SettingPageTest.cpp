#include "config/SettingPage.h"
#include "config/MonitorList.h"
#include "model/UserSettings.h"

#include <gtest/gtest.h>

TEST(SettingPage, UnchangedPageStoresTheSameBlock)
{
    UserSettings settings;
    settings.anyEvent = 0;
    settings.specifiedKey = 1;
    settings.keyValue = 'K';
    settings.mouseThreshold = 42;
    settings.playSounds = 0;
    settings.timeLimit = 1;
    settings.timeLimitMinutes = 7;
    settings.monitor = 2;
    const auto before = settings.Block();
    StoreSettingPage(LoadSettingPage(settings), settings);
    EXPECT_EQ(settings.Block(), before);
}

TEST(SettingPage, ControlsShowAndStoreWhatTheyCanHold)
{
    UserSettings settings;
    settings.playSounds = 0;
    settings.mouseThreshold = 0;         // below the slider's range
    settings.timeLimitMinutes = 0x10005; // the spin takes the low 16 bits
    settings.keyValue = 0;
    SettingPageValues page = LoadSettingPage(settings);
    EXPECT_EQ(page.mute, 1);
    EXPECT_EQ(page.sliderPosition, 1);
    EXPECT_EQ(page.spinPosition, 5);
    EXPECT_EQ(page.keyText, "");

    settings.timeLimitMinutes = 500;
    EXPECT_EQ(LoadSettingPage(settings).spinPosition, 60);

    page.mute = 0;
    page.keyText = "ab";
    StoreSettingPage(page, settings);
    EXPECT_EQ(settings.playSounds, 1);
    EXPECT_EQ(settings.keyValue, 'a');
    page.keyText = std::string(1, '\xE9');
    StoreSettingPage(page, settings);
    EXPECT_EQ(settings.keyValue, 0xE9) << "the character's byte, not a negative number";
    page.keyText.clear();
    StoreSettingPage(page, settings);
    EXPECT_EQ(settings.keyValue, 0);
}

TEST(SettingPage, MonitorNoLongerPresentKeepsTheStoredChoice)
{
    UserSettings settings;
    settings.monitor = 3;
    SettingPageValues page = LoadSettingPage(settings);
    page.monitor = -1; // the list had no entry 3 to select
    StoreSettingPage(page, settings);
    EXPECT_EQ(settings.monitor, 3);
    page.monitor = 0;
    StoreSettingPage(page, settings);
    EXPECT_EQ(settings.monitor, 0);
}

TEST(SettingPage, MinutesKeepTheLastValidSpinPosition)
{
    EXPECT_EQ(MinutesFromSpin(12, 30), 12);
    // A box holding no number in range reports an error in the high word.
    EXPECT_EQ(MinutesFromSpin(0x0001000C, 30), 30);
    EXPECT_EQ(MinutesFromSpin(0x00010000, 30), 30);
    EXPECT_EQ(MinutesFromSpin(0, 30), 30);
    EXPECT_EQ(MinutesFromSpin(0xFFFF0000u, 99), 60);
}

TEST(SettingPage, MonitorListNumbersMonitorsAfterTheVirtualScreen)
{
    const std::vector<std::string> texts = MonitorListTexts({{0, 0, 1920, 1080}, {-1280, 40, 1280, 1024}});
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "0 : Entire virtual screen");
    EXPECT_EQ(texts[1], "1 : (0,0,1920*1080)");
    EXPECT_EQ(texts[2], "2 : (-1280,40,1280*1024)");
    EXPECT_EQ(MonitorListTexts({}).size(), 1u);
}

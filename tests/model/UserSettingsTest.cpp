#include "model/UserSettings.h"
#include "model/SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

// A store in memory, holding values as a store on disk would.
class MemoryStore final : public ISettingsStore {
public:
    std::map<std::string, Values> keys;
    int writes = 0;
    bool refuse = false;

    std::optional<Values> Read(const std::string& key) override
    {
        auto it = keys.find(key);
        if (it == keys.end())
            return std::nullopt;
        return it->second;
    }
    bool Write(const std::string& key, const std::vector<uint8_t>& data, const std::string& text) override
    {
        if (refuse)
            return false;
        ++writes;
        keys[key] = Values{data, text};
        return true;
    }
};

} // namespace

TEST(UserSettings, DefaultsOfFirstRun)
{
    MemoryStore store;
    UserSettings s;
    s.SetKey("Harbour Lights.kdp");
    s.Load(store);
    EXPECT_EQ(s.anyEvent, 1);
    EXPECT_EQ(s.mouseThreshold, 5);
    EXPECT_EQ(s.timeLimit, 0);
    EXPECT_EQ(s.timeLimitMinutes, 60);
    EXPECT_EQ(s.monitor, 1);
    EXPECT_EQ(s.randomTransitions, 1);
    EXPECT_EQ(s.transitionSpeed, 25);
    EXPECT_EQ(s.moveThreshold, 20);
    EXPECT_EQ(s.keyValue, 65);
    EXPECT_EQ(s.gracePeriod, 15);
    EXPECT_EQ(s.transitionList.substr(0, 6), "0;1;2;");
    EXPECT_EQ(s.transitionList.substr(s.transitionList.size() - 8), "161;162;") << "the fades too";
    EXPECT_EQ(std::count(s.transitionList.begin(), s.transitionList.end(), ';'), 163);
}

TEST(UserSettings, KeyDropsOnlyLastExtension)
{
    EXPECT_EQ(UserSettings::KeyForProject("My Show.final.kdp"), "Software\\quillmark\\My Show.final");
    EXPECT_EQ(UserSettings::KeyForProject("Harbour Lights"), "Software\\quillmark\\Harbour Lights");
    EXPECT_EQ(UserSettings::KeyForProject(""), "Software\\quillmark\\");
}

TEST(UserSettings, BlockIsEighteenLittleEndianValuesInOrder)
{
    UserSettings s;
    s.mouseThreshold = 0x01020304;
    s.monitor = -2;
    const auto block = s.Block();
    ASSERT_EQ(block.size(), 72u);
    EXPECT_EQ(block[0], 0x04);
    EXPECT_EQ(block[3], 0x01);
    EXPECT_EQ(block[36], 'A');
    EXPECT_EQ(block[64], 25);
    EXPECT_EQ(block[68], 0xfe);
    EXPECT_EQ(block[71], 0xff);
}

TEST(UserSettings, ShortDataReplacesOnlyLeadingValues)
{
    MemoryStore store;
    const uint8_t eight[] = {42, 0, 0, 0, 0, 0, 0, 0};
    store.keys["Software\\quillmark\\P"] = {std::vector<uint8_t>(eight, eight + 8), std::nullopt};
    UserSettings s;
    s.SetKey("P.kdp");
    s.Load(store);
    EXPECT_EQ(s.mouseThreshold, 42);
    EXPECT_EQ(s.anyEvent, 0);
    EXPECT_EQ(s.mouseMove, 1);
    EXPECT_EQ(s.monitor, 1);
    EXPECT_EQ(s.transitionList, UserSettings::AllEffects());
}

TEST(UserSettings, SaveThenLoadRoundTrips)
{
    MemoryStore store;
    UserSettings a;
    a.SetKey("Show.kdp");
    a.useOwnTransitions = 1;
    a.transitionSpeed = 7;
    a.monitor = 0;
    a.transitionList = "3;9;";
    ASSERT_TRUE(a.Save(store));
    UserSettings b;
    b.SetKey("Show.scr");
    b.Load(store);
    EXPECT_EQ(b.Block(), a.Block());
    EXPECT_EQ(b.transitionList, "3;9;");
    // An empty list is a valid choice and survives.
    a.transitionList.clear();
    a.Save(store);
    b.Load(store);
    EXPECT_EQ(b.transitionList, "");
}

TEST(UserSettings, RefusedSaveIsReported)
{
    MemoryStore store;
    store.refuse = true;
    UserSettings s;
    EXPECT_FALSE(s.Save(store));
}

TEST(SettingsStoreText, EndsAtZeroAndRejectsOverlongValues)
{
    EXPECT_EQ(*ISettingsStore::TextFromValue({'1', ';', 0, '2', ';'}), "1;");
    EXPECT_EQ(*ISettingsStore::TextFromValue({}), "");
    EXPECT_EQ(ISettingsStore::TextFromValue(std::vector<uint8_t>(4095, '1'))->size(), 4095u);
    EXPECT_FALSE(ISettingsStore::TextFromValue(std::vector<uint8_t>(4096, '1')));
    // A value stored with its terminating zero just fits the buffer: its 4095 characters are taken.
    std::vector<uint8_t> terminated(4095, '1');
    terminated.push_back(0);
    ASSERT_TRUE(ISettingsStore::TextFromValue(terminated));
    EXPECT_EQ(ISettingsStore::TextFromValue(terminated)->size(), 4095u);
    EXPECT_FALSE(ISettingsStore::TextFromValue(std::vector<uint8_t>(4097, 0)));
}

#include "model/SettingsStore.h"
#include "model/UserSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A project name of its own per run, removed again afterwards.
struct RegistryFixture : ::testing::Test {
    std::string project = "qm-test-" + std::to_string(GetCurrentProcessId());
    std::string key = "Software\\quillmark\\" + project;

    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str()); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str()); }

    HKEY OpenKey()
    {
        HKEY hkey = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &hkey), ERROR_SUCCESS);
        return hkey;
    }
};

} // namespace

TEST_F(RegistryFixture, FirstRunKeepsDefaultsAndCreatesNoKey)
{
    UserSettings s;
    s.SetKey(project + ".kdp");
    s.Load();
    EXPECT_EQ(s.Block(), UserSettings().Block());
    EXPECT_EQ(s.transitionList, UserSettings::AllEffects());
    HKEY hkey = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hkey), ERROR_SUCCESS);
}

TEST_F(RegistryFixture, SaveWritesBinaryBlockAndTextWithoutTerminatingZero)
{
    UserSettings s;
    s.SetKey(project + ".kdp");
    s.monitor = 2;
    s.transitionList = "4;5;6;";
    ASSERT_TRUE(s.Save());

    HKEY hkey = OpenKey();
    DWORD type = 0, size = 200;
    BYTE data[200] = {};
    ASSERT_EQ(RegQueryValueExA(hkey, "data", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(size, 72u);
    EXPECT_EQ(data[68], 2);
    EXPECT_EQ(data[0], 5);

    // The wide form shows the stored characters exactly: six, no terminating zero.
    WCHAR text[64] = {};
    size = sizeof text;
    ASSERT_EQ(RegQueryValueExW(hkey, L"transition effects", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(size, 6u * sizeof(WCHAR));
    EXPECT_EQ(std::wstring(text, 6), L"4;5;6;");
    RegCloseKey(hkey);

    UserSettings t;
    t.SetKey(project + ".scr");
    t.Load();
    EXPECT_EQ(t.monitor, 2);
    EXPECT_EQ(t.transitionList, "4;5;6;");
}

TEST_F(RegistryFixture, EightByteDataReplacesFirstTwoValues)
{
    HKEY hkey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hkey, nullptr),
              ERROR_SUCCESS);
    const BYTE eight[8] = {50, 0, 0, 0, 0, 0, 0, 0};
    RegSetValueExA(hkey, "data", 0, REG_BINARY, eight, sizeof eight);
    RegCloseKey(hkey);

    UserSettings s;
    s.SetKey(project);
    s.Load();
    EXPECT_EQ(s.mouseThreshold, 50);
    EXPECT_EQ(s.anyEvent, 0);
    EXPECT_EQ(s.mouseMove, 1);
    EXPECT_EQ(s.timeLimitMinutes, 60);
    EXPECT_EQ(s.transitionList, UserSettings::AllEffects());
}

TEST_F(RegistryFixture, OversizedValuesAreNotTaken)
{
    HKEY hkey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hkey, nullptr),
              ERROR_SUCCESS);
    const std::string big(100, '\x01');
    RegSetValueExA(hkey, "data", 0, REG_BINARY, reinterpret_cast<const BYTE*>(big.data()), 100);
    const std::string list(5000, '1');
    RegSetValueExA(hkey, "transition effects", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(list.data()), 5000);
    RegCloseKey(hkey);
    UserSettings s;
    s.SetKey(project);
    s.Load();
    EXPECT_EQ(s.Block(), UserSettings().Block());
    EXPECT_EQ(s.transitionList, UserSettings::AllEffects());
}

TEST_F(RegistryFixture, KeyNamedWithoutLastExtension)
{
    UserSettings s;
    s.SetKey(project + ".final.kdp");
    ASSERT_TRUE(s.Save());
    const std::string expected = key + ".final";
    HKEY hkey = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, expected.c_str(), 0, KEY_READ, &hkey), ERROR_SUCCESS);
    RegCloseKey(hkey);
    RegDeleteKeyA(HKEY_CURRENT_USER, expected.c_str());
}

TEST_F(RegistryFixture, LongestListStoredWithItsZeroIsTaken)
{
    // 4095 characters and a terminating zero fill the 4096-byte read buffer exactly.
    HKEY hkey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hkey, nullptr),
              ERROR_SUCCESS);
    std::string list;
    while (list.size() + 4 <= 4095)
        list += "160;";
    list.append(4095 - list.size(), ' ');
    ASSERT_EQ(RegSetValueExA(hkey, "transition effects", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(list.c_str()),
                             static_cast<DWORD>(list.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(hkey);
    UserSettings s;
    s.SetKey(project);
    s.Load();
    EXPECT_EQ(s.transitionList, list);
}

#include "model/posix/FileSettingsStore.h"
#include "model/UserSettings.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(FileSettingsStore, FirstRunKeepsDefaultsAndCreatesNothing)
{
    TempDir dir;
    FileSettingsStore store(dir.File("quillmark"));
    UserSettings s;
    s.SetKey("Harbour Lights.kdp");
    s.Load(store);
    EXPECT_EQ(s.Block(), UserSettings().Block());
    EXPECT_FALSE(fs::exists(dir.Path() / "quillmark"));
}

TEST(FileSettingsStore, SavesBothValuesUnderProjectFolder)
{
    TempDir dir;
    FileSettingsStore store(dir.File("quillmark"));
    UserSettings s;
    s.SetKey("My Show.final.kdp");
    s.escKey = 0;
    s.transitionList = "1;2;";
    ASSERT_TRUE(s.Save(store));
    const auto folder = dir.Path() / "quillmark" / "My Show.final";
    EXPECT_EQ(TempDir::Read((folder / "transition effects").string()), "1;2;");
    const std::string data = TempDir::Read((folder / "data").string());
    ASSERT_EQ(data.size(), 72u);
    EXPECT_EQ(data[24], 0);
    // Nothing but the two values is left behind.
    int files = 0;
    for (auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);

    UserSettings t;
    t.SetKey("My Show.final.scr");
    t.Load(store);
    EXPECT_EQ(t.escKey, 0);
    EXPECT_EQ(t.transitionList, "1;2;");
}

TEST(FileSettingsStore, EightByteDataAndOversizedValues)
{
    TempDir dir;
    FileSettingsStore store(dir.File("q"));
    fs::create_directories(dir.Path() / "q" / "P");
    dir.Write("q/P/data", std::string("\x09\0\0\0\0\0\0\0", 8));
    dir.Write("q/P/transition effects", std::string(5000, '1'));
    UserSettings s;
    s.SetKey("P");
    s.Load(store);
    EXPECT_EQ(s.mouseThreshold, 9);
    EXPECT_EQ(s.anyEvent, 0);
    EXPECT_EQ(s.mouseMove, 1);
    EXPECT_EQ(s.transitionList, UserSettings::AllEffects());

    dir.Write("q/P/data", std::string(73, '\x01'));
    UserSettings t;
    t.SetKey("P");
    t.Load(store);
    EXPECT_EQ(t.mouseThreshold, 5);
}

TEST(FileSettingsStore, ProjectNameNeverLeavesTheRoot)
{
    TempDir dir;
    FileSettingsStore store(dir.File("root"));
    EXPECT_EQ(store.FolderFor("Software\\quillmark\\..\\x"), dir.File("root") + "/x");
    EXPECT_EQ(store.FolderFor("Software\\quillmark\\.."), dir.File("root") + "/_..");
    EXPECT_EQ(store.FolderFor("Software\\quillmark\\a/../../b"), dir.File("root") + "/a_.._.._b");
    EXPECT_EQ(store.FolderFor("Software\\quillmark\\"), dir.File("root") + "/_");
}

TEST(FileSettingsStore, DefaultRootFollowsXdgConfigHome)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(FileSettingsStore::DefaultRoot(), "/tmp/xdg-test/quillmark");
    setenv("XDG_CONFIG_HOME", "", 1);
    const char* home = std::getenv("HOME");
    EXPECT_EQ(FileSettingsStore::DefaultRoot(), std::string(home ? home : ".") + "/.config/quillmark");
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(FileSettingsStore, SaveThatCannotWriteEverythingChangesNothing)
{
    TempDir dir;
    FileSettingsStore store(dir.File("q"));
    UserSettings s;
    s.SetKey("P");
    s.transitionList = "1;";
    ASSERT_TRUE(s.Save(store));
    const std::string folder = dir.File("q/P");
    const std::string oldData = TempDir::Read(folder + "/data");

    s.escKey = 0;
    s.transitionList = UserSettings::AllEffects();
    bool saved_ok = true;
    {
        FileSizeLimit limit(100); // room for the 72-byte block but not for the list
        saved_ok = s.Save(store);
    }

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(TempDir::Read(folder + "/data"), oldData);
    EXPECT_EQ(TempDir::Read(folder + "/transition effects"), "1;");
    int files = 0;
    for (auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);
}

TEST(FileSettingsStore, ValueThatIsNoFileIsIgnored)
{
    // A pipe in place of a value would block the read until someone writes to it.
    TempDir dir;
    FileSettingsStore store(dir.File("q"));
    fs::create_directories(dir.Path() / "q" / "P");
    ASSERT_EQ(::mkfifo(dir.File("q/P/data").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(dir.File("q/P/transition effects").c_str(), 0600), 0);
    UserSettings s;
    s.SetKey("P");
    s.Load(store);
    EXPECT_EQ(s.Block(), UserSettings().Block());
    EXPECT_EQ(s.transitionList, UserSettings::AllEffects());
}

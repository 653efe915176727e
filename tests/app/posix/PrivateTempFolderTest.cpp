#include "app/PrivateTempFolder.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

TEST(PrivateTempFolder, TakesTheTemporaryFolderAndLeavesNothingBehindEvenThroughExit)
{
    namespace fs = std::filesystem;
    const fs::path base = fs::path(::testing::TempDir()) / "private-temp-folder";
    fs::remove_all(base);
    fs::create_directories(base);
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", base.c_str(), 1);
    {
        PrivateTempFolder folder;
        ASSERT_FALSE(folder.Path().empty());
        EXPECT_EQ(TempDirectory(), folder.Path());
        std::ofstream(folder.Path() + "tune.wav") << "x";
    }
    EXPECT_TRUE(fs::is_empty(base)) << "removed with what was in it";
    EXPECT_EQ(TempDirectory(), base.string() + "/") << "the system's folder is back";
    EXPECT_EXIT(
        {
            PrivateTempFolder folder;
            std::ofstream(folder.Path() + "clip.avi") << "x";
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(fs::is_empty(base)) << "an exit() part-way removes it too";
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    fs::remove_all(base);
}

#include "platform/Paths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(PathText, FileNameAndDirectorySplitAtTheLastBackslash)
{
    EXPECT_EQ(FileNameOf("C:\\Savers\\show.scr"), "show.scr");
    EXPECT_EQ(DirectoryOf("C:\\Savers\\show.scr"), "C:\\Savers\\");
    EXPECT_EQ(FileNameOf("show.scr"), "show.scr");
    EXPECT_EQ(DirectoryOf("show.scr"), "");
    EXPECT_EQ(FileNameOf("C:\\Savers\\"), "");
    EXPECT_EQ(DirectoryOf("C:\\Savers\\"), "C:\\Savers\\");
    EXPECT_EQ(FileNameOf(""), "");
    EXPECT_EQ(DirectoryOf(""), "");
}

TEST(PathText, SlashSeparatesToo)
{
    EXPECT_EQ(FileNameOf("/home/me/show.scr"), "show.scr");
    EXPECT_EQ(FileNameOf("..\\../Startup/x.bat"), "x.bat");
    EXPECT_EQ(DirectoryOf("/home/me\\x/show.scr"), "/home/me\\x/");
}

TEST(PathText, SafeFileNamesKeepOnlyAPlainFileName)
{
    EXPECT_EQ(SafeFileNameOf("Music/../../Startup/run.bat"), "run.bat");
    EXPECT_EQ(SafeFileNameOf("C:\\Sounds\\Bell.WAV"), "Bell.WAV");
    EXPECT_EQ(SafeFileNameOf("console.wav"), "console.wav");
    EXPECT_EQ(SafeFileNameOf("a.con"), "a.con") << "the part before the first dot names a device";
    for (const char* bad : {"..", "a/..", ".", "C:x.wav", "x.wav:stream", "NUL", "con.wav", "con.wav.mp3", "Com1.mp3",
                            "lpt9", "aux .wav", "CONOUT$", "a\nb.wav", ""})
        EXPECT_EQ(SafeFileNameOf(bad), "") << bad;
    EXPECT_EQ(SafeFileNameOf("COM10.wav"), "COM10.wav");
}

TEST(PathText, ExtensionsUseTheLastDotOfTheWholeText)
{
    EXPECT_EQ(ExtensionOf("C:\\v\\movie.final.avi"), ".avi");
    EXPECT_EQ(ExtensionOf("C:\\my.dir\\readme"), ".dir\\readme");
    EXPECT_EQ(ExtensionOf("readme"), "");
    EXPECT_EQ(ChangeExtension("C:\\v\\movie.avi", ".m__"), "C:\\v\\movie.m__");
    EXPECT_EQ(ChangeExtension("C:\\my.dir\\readme", ""), "C:\\my");
    EXPECT_EQ(ChangeExtension("readme", ".txt"), "readme.txt");
    EXPECT_EQ(ChangeExtension("trailing.", ".db_"), "trailing.db_");
}

TEST(PathText, DigitCodeWritesSignedByteValues)
{
    EXPECT_EQ(DigitCode("Ab"), "6598");
    EXPECT_EQ(DigitCode("\xE9"), "-23");
    EXPECT_EQ(DigitCode(std::string("a\0b", 3)), "97098");
    EXPECT_EQ(DigitCode(""), "");
}

TEST(Random, BelowZeroIsZeroAndOtherwiseInRange)
{
    EXPECT_EQ(RandomBelow(0), 0u);
    EXPECT_EQ(RandomBelow(1), 0u);
    std::srand(7);
    bool sawNonZero = false;
    for (int i = 0; i < 200; ++i) {
        uint32_t r = RandomBelow(3);
        EXPECT_LT(r, 3u);
        sawNonZero = sawNonZero || r != 0;
    }
    EXPECT_TRUE(sawNonZero);
}

TEST(PathFiles, ExistsAndDirectoryTellFilesFromFolders)
{
    TempDir dir;
    std::string file = dir.Write("a.txt", "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(IsDirectory(file));
    EXPECT_TRUE(FileExists(dir.Path().string()));
    EXPECT_TRUE(IsDirectory(dir.Path().string()));
    EXPECT_FALSE(FileExists(dir.File("missing")));
    EXPECT_FALSE(IsDirectory(dir.File("missing")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(IsDirectory(""));
}

TEST(PathFiles, CreateDirectoriesMakesEveryLevel)
{
    TempDir dir;
    std::string sep(1, std::filesystem::path::preferred_separator);
    std::string deep = dir.Path().string() + sep + "a" + sep + "b" + sep + "c";
    EXPECT_TRUE(CreateDirectories(deep));
    EXPECT_TRUE(IsDirectory(deep));
    EXPECT_TRUE(CreateDirectories(deep)) << "an existing folder is success";

    std::string trailing = dir.Path().string() + sep + "x" + sep + "y" + sep;
    EXPECT_TRUE(CreateDirectories(trailing));
    EXPECT_TRUE(IsDirectory(dir.Path().string() + sep + "x" + sep + "y"));
}

TEST(PathFiles, CreateDirectoriesFailsOnEmptyPathAndThroughAFile)
{
    TempDir dir;
    std::string sep(1, std::filesystem::path::preferred_separator);
    std::string file = dir.Write("blocker", "x");
    EXPECT_FALSE(CreateDirectories(""));
    EXPECT_FALSE(CreateDirectories(file + sep + "below"));
    EXPECT_FALSE(CreateDirectories(file));
}

TEST(PathFiles, TempDirectoryExistsAndEndsWithASeparator)
{
    std::string temp = TempDirectory();
    ASSERT_FALSE(temp.empty());
    EXPECT_TRUE(IsDirectory(temp));
    EXPECT_TRUE(temp.back() == '\\' || temp.back() == '/');
}

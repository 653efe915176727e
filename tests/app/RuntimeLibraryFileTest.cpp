#include "app/RuntimeLibraryFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
std::string DirOf(const TempDir& dir)
{
    return (dir.Path() / "").string();
}

LibraryWrite Write(const TempDir& dir, const std::string& name, const std::string& bytes)
{
    return WriteRuntimeLibraryFile(DirOf(dir), name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}
} // namespace

TEST(LibraryFileName, PlainNamesPass)
{
    for (const char* name :
         {"Expic.dll", "mfc42.dll", "a", "CONSOLE.DLL", "com10.dll", "LPT0.sys", "nul1", "my lib.ocx", "a.b.c"})
        EXPECT_TRUE(IsPlainLibraryFileName(name)) << name;
}

TEST(LibraryFileName, PathsDrivesAndParentsAreRefused)
{
    for (const char* name :
         {"", "..", ".", "..\\win.ini", "sub\\x.dll", "sub/x.dll", "C:x.dll", "C:\\x.dll", "\\\\server\\share\\x.dll",
          "x.dll:stream", "a..b", "x.dll.", "x.dll ", "*.dll", "x?.dll", "x\".dll", "x<y", "x|y", "tab\there"})
        EXPECT_FALSE(IsPlainLibraryFileName(name)) << name;
    EXPECT_FALSE(IsPlainLibraryFileName(std::string(256, 'a')));
    EXPECT_TRUE(IsPlainLibraryFileName(std::string(255, 'a')));
}

TEST(LibraryFileName, DeviceNamesAreRefusedWithOrWithoutExtension)
{
    for (const char* name : {"CON", "con", "PRN.dll", "aux.txt", "NUL", "nul .dll", "COM1", "com9.dll", "LPT1",
                             "lpt9.x.y", "CONIN$", "clock$.dll", "COM\xB9"})
        EXPECT_FALSE(IsPlainLibraryFileName(name)) << name;
}

TEST(LibraryFileWrite, NewFileIsWrittenWhole)
{
    TempDir dir;
    const char image[] = "MZ\0\x01\x02 library";
    std::string bytes(image, sizeof image - 1);
    EXPECT_EQ(Write(dir, "Expic.dll", bytes), LibraryWrite::Written);
    EXPECT_EQ(TempDir::Read(dir.File("Expic.dll")), bytes);
    EXPECT_EQ(Write(dir, "empty.dll", ""), LibraryWrite::Written);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "empty.dll"));
}

TEST(LibraryFileWrite, IdenticalFileIsLeftAndDifferentFileIsNeverReplaced)
{
    TempDir dir;
    dir.Write("same.dll", "content");
    auto before = std::filesystem::last_write_time(dir.Path() / "same.dll");
    EXPECT_EQ(Write(dir, "same.dll", "content"), LibraryWrite::AlreadyThere);
    EXPECT_EQ(std::filesystem::last_write_time(dir.Path() / "same.dll"), before);

    dir.Write("system.dll", "the system's own");
    EXPECT_EQ(Write(dir, "system.dll", "the project's"), LibraryWrite::Conflict);
    EXPECT_EQ(Write(dir, "system.dll", "the system's own and more"), LibraryWrite::Conflict);
    EXPECT_EQ(Write(dir, "system.dll", "the system"), LibraryWrite::Conflict);
    EXPECT_EQ(TempDir::Read(dir.File("system.dll")), "the system's own");

    std::filesystem::create_directory(dir.Path() / "folder.dll");
    EXPECT_EQ(Write(dir, "folder.dll", ""), LibraryWrite::Conflict);
}

TEST(LibraryFileWrite, LargeFilesCompareAcrossChunks)
{
    TempDir dir;
    std::string big(200000, 'x');
    big[150000] = 'y';
    dir.Write("big.dll", big);
    EXPECT_EQ(Write(dir, "big.dll", big), LibraryWrite::AlreadyThere);
    std::string other = big;
    other[150000] = 'z';
    EXPECT_EQ(Write(dir, "big.dll", other), LibraryWrite::Conflict);
}

TEST(LibraryFileWrite, HostileNamesWriteNothing)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sys");
    std::string sys = (dir.Path() / "sys" / "").string();
    const std::string bytes = "evil";
    EXPECT_EQ(WriteRuntimeLibraryFile(sys, "..\\evil.dll", reinterpret_cast<const uint8_t*>(bytes.data()), 4),
              LibraryWrite::Refused);
    EXPECT_EQ(WriteRuntimeLibraryFile(sys, "../evil.dll", reinterpret_cast<const uint8_t*>(bytes.data()), 4),
              LibraryWrite::Refused);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "evil.dll"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "sys"));
}

TEST(LibraryFileWrite, MissingDirectoryFails)
{
    TempDir dir;
    std::string missing = (dir.Path() / "no" / "").string();
    const std::string bytes = "x";
    EXPECT_EQ(WriteRuntimeLibraryFile(missing, "a.dll", reinterpret_cast<const uint8_t*>(bytes.data()), 1),
              LibraryWrite::Failed);
}

#include "db/DiskFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

// While another program holds the new file open, the direct replace fails and the fallback runs: the old
// file must still be there afterwards, and the replace must work once the file is free again.
TEST(FileReplace, NewFileHeldOpenKeepsTheOldOne)
{
    TempDir dir;
    const std::string target = dir.Write("show.scr", "the old database");
    const std::string pending = dir.Write("show.scr.db_", "the new database");

    HANDLE held = CreateFileA(pending.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DiskFile::Replace(pending, target));
    CloseHandle(held);
    EXPECT_EQ(TempDir::Read(target), "the old database");
    EXPECT_EQ(TempDir::Read(pending), "the new database");
    EXPECT_FALSE(DiskFile::Exists(target + ".old_"));

    ASSERT_TRUE(DiskFile::Replace(pending, target));
    EXPECT_EQ(TempDir::Read(target), "the new database");
    EXPECT_FALSE(DiskFile::Exists(pending));
    EXPECT_FALSE(DiskFile::Exists(target + ".old_"));
}

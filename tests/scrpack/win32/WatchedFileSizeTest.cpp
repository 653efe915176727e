#include "scrpack/files/WatchedFileSize.h"
#include "db/DiskFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(WatchedFileSize, NeverKeepsTheWriterFromReplacingTheFile)
{
    // The pack's progress asks for the size of the new database while the writer moves it over the output.
    TempDir dir;
    const std::string a = dir.Write("show.db_", std::string(5000, 'x'));
    const std::string b = dir.File("show.scr");
    std::atomic<bool> stop{false};
    std::thread watcher([&] {
        while (!stop) {
            WatchedFileSize(a);
            WatchedFileSize(b);
        }
    });
    int failed = 0;
    for (int i = 0; i < 3000; ++i) {
        if (!DiskFile::Replace(i % 2 ? b : a, i % 2 ? a : b))
            ++failed;
    }
    stop = true;
    watcher.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(WatchedFileSize(a), 5000);
    EXPECT_EQ(WatchedFileSize(dir.File("none")), -1);
    EXPECT_EQ(WatchedFileSize(dir.Path().string()), -1);
}

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include "db/FileBase.h"
#include "saver/SaverFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TEST(SaverFiles, AWriteThatFailsPartWayLeavesNoShortFileAndKeepsWhatWasThere)
{
    TempDir dir;
    const fs::path fresh = dir.Path() / "97.avi";
    const fs::path kept = dir.Path() / "98.avi";
    std::ofstream(kept, std::ios::binary) << "good copy";
    const std::vector<uint8_t> big(100000, 0x5a);
    const auto fill = [&big](FileBase& f) { return f.Write(big.data(), big.size()); };
    SaverFiles files;
    bool freshWritten = true;
    bool keptWritten = true;
    {
        FileSizeLimit limit(64);
        freshWritten = files.WriteFile(fresh.string(), fill);
        keptWritten = files.WriteFile(kept.string(), fill);
    }
    EXPECT_FALSE(freshWritten);
    EXPECT_FALSE(keptWritten);
    EXPECT_FALSE(fs::exists(fresh));
    EXPECT_EQ(TempDir::Read(kept.string()), "good copy");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

    ASSERT_TRUE(files.WriteFile(fresh.string(), fill));
    EXPECT_EQ(fs::file_size(fresh), big.size());
}

#include "support/TempDir.h"

#include "saver/SaverFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Files of this process can grow to a few bytes only, as on a full disk.
class SmallFileLimit {
public:
    SmallFileLimit()
    {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallFileLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}

TEST(SaverFiles, AWriteThatFailsPartWayLeavesNoShortFileAndKeepsWhatWasThere)
{
    TempDir dir;
    const fs::path fresh = dir.Path() / "97.avi";
    const fs::path kept = dir.Path() / "98.avi";
    std::ofstream(kept, std::ios::binary) << "good copy";
    const std::vector<uint8_t> big(100000, 0x5a);
    CSaverFiles files;
    bool freshWritten = true;
    bool keptWritten = true;
    {
        SmallFileLimit limit;
        freshWritten = files.WriteFile(fresh.string(), big);
        keptWritten = files.WriteFile(kept.string(), big);
    }
    EXPECT_FALSE(freshWritten);
    EXPECT_FALSE(keptWritten);
    EXPECT_FALSE(fs::exists(fresh));
    EXPECT_EQ(Read(kept), "good copy");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

    ASSERT_TRUE(files.WriteFile(fresh.string(), big));
    EXPECT_EQ(fs::file_size(fresh), big.size());
}

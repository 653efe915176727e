#include "WorkFolder.h"

#include <chrono>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

WorkFolder::WorkFolder(const std::string& prefix)
{
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec)
        return;
    std::mt19937_64 random(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                           std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (prefix + std::to_string(random() % 1000000000));
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate.string();
            return;
        }
    }
}

WorkFolder::~WorkFolder()
{
    std::error_code ec;
    if (!path_.empty())
        fs::remove_all(path_, ec);
}

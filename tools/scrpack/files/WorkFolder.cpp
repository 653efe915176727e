#include "scrpack/files/WorkFolder.h"

#include "scrpack/files/Utf8Path.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/TemporaryPaths.h"

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
        // Noted once made (never a folder of someone else's), so an interrupt removes it too.
        if (fs::create_directory(candidate, ec)) {
            path_ = Utf8Of(candidate);
            AddTemporaryPath(path_);
            return;
        }
    }
}

WorkFolder::~WorkFolder()
{
    std::error_code ec;
    if (!path_.empty()) {
        fs::remove_all(PathFromUtf8(path_), ec);
        RemoveTemporaryPath(path_);
    }
}

std::string WriteIntoFolder(const std::string& workFolder, const std::string& source, const std::string& bytes,
                            const std::string& extension)
{
    static int counter = 0;
    const fs::path folder = PathFromUtf8(workFolder) / std::to_string(++counter);
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path path = folder / PathFromUtf8(Utf8Of(PathFromUtf8(source).stem()) + extension);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? Utf8Of(path) : std::string();
}

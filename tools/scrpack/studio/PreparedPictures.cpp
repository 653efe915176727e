#include "scrpack/studio/PreparedPictures.h"

#include <filesystem>

namespace fs = std::filesystem;

PreparedPicture PreparedPictures::Get(const std::string& path)
{
    std::error_code ec;
    const std::string key = path + "\n" + std::to_string(fs::file_size(path, ec)) + "\n" +
        std::to_string(fs::last_write_time(path, ec).time_since_epoch().count());
    {
        std::lock_guard lock(mutex_);
        if (auto found = done_.find(key); found != done_.end())
            return found->second;
    }
    fs::create_directories(folder_, ec);
    PreparedPicture prepared = ConvertPicture(path, folder_);
    std::lock_guard lock(mutex_);
    done_[key] = prepared;
    return prepared;
}

#pragma once
#include "scrpack/pictures/PictureConvert.h"

#include <map>
#include <mutex>
#include <string>

// The show's pictures as a pack prepares them (converted, stood upright, in sRGB), for the previews: each
// prepared once and kept, in a folder of the studio's own, while its file stays as it is.
class PreparedPictures {
public:
    explicit PreparedPictures(std::string folder) : folder_(std::move(folder)) { }

    // As ConvertPicture; throws ConvertError with the reason.
    PreparedPicture Get(const std::string& path);

private:
    std::string folder_;
    std::mutex mutex_;
    std::map<std::string, PreparedPicture> done_; // by path, size and date
};

#include "scrpack/studio/Thumbnails.h"

#include "codecs/BuiltinExpic.h"
#include "codecs/PictureLoad.h"
#include "codecs/ScaledJpeg.h"
#include "gfx/Picture.h"
#include "platform/Paths.h"
#include "scrpack/pictures/Exif.h"
#include "scrpack/pictures/Orientation.h"
#include "scrpack/pictures/PictureCheck.h"
#include "scrpack/studio/PictureJpeg.h"
#include "scrpack/studio/ProjectDocument.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The picture as an upright one: EXIF orientations 2 to 8 mirror and turn it.
void Orient(Picture& picture, int orientation)
{
    if (orientation < 2 || orientation > 8 || !picture.IsLoaded())
        return;
    const int w = picture.Width(), h = picture.Height();
    Picture out;
    if (!out.CreateBlank(SwapsSides(orientation) ? h : w, SwapsSides(orientation) ? w : h))
        return;
    ForEachUprightPixel(orientation, w, h, [&](int x, int y, int sx, int sy) { out.Row(y)[x] = picture.Row(sy)[sx]; });
    picture = std::move(out);
}

// Pixels with transparent parts hold their colour over black: the rest of the background is added.
void OverBackground(Picture& picture, uint32_t background)
{
    if (!picture.HasAlpha() || static_cast<int>(picture.Alpha().size()) != picture.Width() * picture.Height())
        return;
    const uint32_t bgr = (background & 0xff) << 16 | (background & 0xff00) | (background >> 16 & 0xff);
    for (int y = 0; y < picture.Height(); ++y) {
        uint32_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const uint32_t clear = 255u - picture.Alpha()[static_cast<size_t>(y) * picture.Width() + x];
            uint32_t pixel = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const uint32_t value = (row[x] >> shift & 0xff) + ((bgr >> shift & 0xff) * clear + 127) / 255;
                pixel |= std::min<uint32_t>(value, 255) << shift;
            }
            row[x] = pixel;
        }
    }
}

uint64_t Fnv1a(const std::string& text)
{
    uint64_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

std::string StudioCacheFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache == '/')
        return std::string(cache) + "/quillmark";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.cache/quillmark";
}

bool DecodeForPreview(const std::string& path, int side, Picture& picture)
{
    std::vector<uint8_t> bytes;
    if (!ReadImageFile(path, kMaxEncodedImageBytes, bytes))
        return false;
    int width = 0, height = 0;
    if (PictureKind(bytes.data(), bytes.size()) == "JPEG" &&
        ReadScalableJpegSize(bytes.data(), bytes.size(), width, height) && width > 0 && height > 0) {
        // The same decoder as the runtime's, at the smallest scale that still gives the preview's size.
        const double scale = std::min(1.0, std::min(double(side) / width, double(side) / height));
        const int eighths =
            JpegScaleFor(width, height, std::max(1, int(width * scale)), std::max(1, int(height * scale)));
        if (!DecodeJpegAtScale(bytes.data(), bytes.size(), eighths, picture))
            return false;
        Orient(picture, ReadJpegExif(bytes.data(), bytes.size()).orientation);
        return true;
    }
    return LoadFromFile(picture, path) == 1 && picture.IsLoaded();
}

void FitPicture(const Picture& source, int side, uint32_t background, Picture& out)
{
    const double scale = std::min(1.0, std::min(double(side) / source.Width(), double(side) / source.Height()));
    const int w = std::max(1, int(source.Width() * scale)), h = std::max(1, int(source.Height() * scale));
    out.CreateBlank(w, h, background);
    source.StretchDraw(0, 0, w, h, out);
}

Thumbnails::Thumbnails(std::string cacheFolder)
    : folder_(cacheFolder.empty() ? StudioCacheFolder() + "/thumbs" : std::move(cacheFolder)),
      cores_(std::max(1u, std::thread::hardware_concurrency()))
{
    std::error_code ec;
    fs::create_directories(folder_, ec);
}

std::string Thumbnails::Get(const std::string& path, int side, uint32_t background, std::string* reason)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) {
        if (reason)
            *reason = "cannot be read";
        return "";
    }
    const auto time = fs::last_write_time(path, ec).time_since_epoch().count();
    std::ostringstream key;
    key << fs::absolute(path, ec).string() << '\n' << size << '\n' << time << '\n' << side << '\n' << background;
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.jpg", static_cast<unsigned long long>(Fnv1a(key.str())));
    const std::string cached = folder_ + "/" + name;
    {
        std::ifstream in(cached, std::ios::binary);
        if (in) {
            std::ostringstream bytes;
            bytes << in.rdbuf();
            if (!bytes.str().empty())
                return bytes.str();
        }
    }
    {
        std::unique_lock lock(mutex_);
        freed_.wait(lock, [&] { return running_ < cores_; });
        ++running_;
    }
    Picture picture;
    std::string jpeg;
    if (DecodeForPreview(path, side, picture)) {
        OverBackground(picture, background);
        Picture small;
        FitPicture(picture, side, background, small);
        jpeg = EncodePictureJpeg(small);
    }
    {
        std::lock_guard lock(mutex_);
        --running_;
    }
    freed_.notify_one();
    if (jpeg.empty()) {
        if (reason)
            *reason = CheckPicture(path, FileNameOf(path));
        return "";
    }
    ReplaceFileContent(cached, jpeg);
    return jpeg;
}

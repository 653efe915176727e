#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

class Picture;

// Small pictures of the show's files for the page, made with the runtime's own decoders (a photo as the show
// will show it: upright by its EXIF orientation, transparent parts over the background colour) and kept in
// the user's cache folder ($XDG_CACHE_HOME/quillmark/thumbs), named by the file's path, size and date, so a
// folder opened again shows them at once. At most as many are made at a time as there are cores.
class Thumbnails {
public:
    // cacheFolder: where they are kept (made when missing); empty for the user's cache folder.
    explicit Thumbnails(std::string cacheFolder = "");

    // The JPEG thumbnail of a picture file, at most `side` pixels each way, over `background` (COLORREF).
    // Empty when the file does not decode as the runtime would show it (then reason says why).
    std::string Get(const std::string& path, int side, uint32_t background, std::string* reason = nullptr);

    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    std::mutex mutex_;
    std::condition_variable freed_;
    unsigned running_ = 0;
    unsigned cores_;
};

// Decodes a picture file as the runtime would show it, no larger than needed for side × side (a large JPEG
// at a reduced scale), turned upright by its EXIF orientation. False when it does not decode.
bool DecodeForPreview(const std::string& path, int side, Picture& picture);
// The picture reduced to fit side × side, transparent parts over the colour (COLORREF).
void FitPicture(const Picture& source, int side, uint32_t background, Picture& out);
// The user's cache folder for the studio: $XDG_CACHE_HOME/quillmark, else ~/.cache/quillmark.
std::string StudioCacheFolder();

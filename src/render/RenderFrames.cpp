#include "render/RenderFrames.h"

#include "codecs/posix/PngEncoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "platform/ReplacingFile.h"

namespace {

constexpr int kSheetColumns = 6;
constexpr size_t kSheetThumbnails = 36;
constexpr int kThumbnailWidth = 240;
constexpr int kSheetGap = 4;
// The fastest level: frames are written far more often than they are read (2 makes them about an eighth
// smaller but compresses them some 2.5 times slower).
constexpr int kFramePngLevel = 1;

} // namespace

std::string EncodePng(const Picture& picture)
{
    std::string out;
    if (!picture.IsLoaded() ||
        !EncodePng(reinterpret_cast<const uint8_t*>(picture.Pixels()), picture.Width(), picture.Height(),
                   static_cast<size_t>(picture.Stride()) * 4, PngPixels::Bgrx, kFramePngLevel, out))
        out.clear();
    return out;
}

void RemoveOldFrames(const std::string& outDir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(outDir, ec)) {
        const std::string name = entry.path().filename().string();
        const bool frame = name.size() > 10 && name.compare(0, 6, "frame-") == 0 &&
            name.compare(name.size() - 4, 4, ".png") == 0 &&
            std::all_of(name.begin() + 6, name.end() - 4, [](char c) { return c >= '0' && c <= '9'; });
        // What a render that was killed outright was writing (the folder is ours while we hold its lock).
        const bool part = name.size() > 5 && name.compare(name.size() - 5, 5, ".part") == 0 &&
            (name.compare(0, 7, ".frame-") == 0 || name.compare(0, 19, ".contact-sheet.png.") == 0);
        if (frame || part)
            fs::remove(entry.path(), ec);
    }
}

PngFrameFiles::PngFrameFiles(std::string outDir) : outDir_(std::move(outDir))
{
    if (!outDir_.empty() && outDir_.back() != '/')
        outDir_ += '/';
}

bool PngFrameFiles::Write(int index, const Picture& screen, bool repeat, std::string& error)
{
    const std::string path = outDir_ + RenderFrames::FrameName(index);
    if (repeat && !lastPath_.empty()) {
        std::remove(path.c_str());
        if (::link(lastPath_.c_str(), path.c_str()) == 0)
            return true;
        // A file system without hard links gets a copy.
    } else {
        lastPng_ = EncodePng(screen);
    }
    if (lastPng_.empty()) {
        error = "cannot encode " + path + ": out of memory";
        return false;
    }
    if (!WriteFileReplacing(path, lastPng_, error))
        return false;
    lastPath_ = path;
    return true;
}

RenderFrames::RenderFrames(IFrameOutput& output, std::string outDir, int width, int height, int fps, int frameCount)
    : output_(output),
      outDir_(std::move(outDir)),
      width_(width),
      height_(height),
      fps_(fps < 1 ? 1 : fps),
      frameCount_(frameCount < 0 ? 0 : frameCount)
{
    if (!outDir_.empty() && outDir_.back() != '/')
        outDir_ += '/';
}

std::string RenderFrames::FrameName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", index);
    return name;
}

uint64_t RenderFrames::FrameTime(int index) const
{
    return static_cast<uint64_t>(index) * 1000u / static_cast<uint64_t>(fps_);
}

void RenderFrames::EndBefore(uint64_t time)
{
    int count = 0;
    while (count < frameCount_ && FrameTime(count) < time)
        ++count;
    frameCount_ = std::max(count, next_);
}

void RenderFrames::Presented(const Rect& area)
{
    if (!all_)
        presented_.push_back(area);
}

void RenderFrames::CaptureBefore(uint64_t until, const Picture* screen)
{
    const bool blank = !screen || !screen->IsLoaded();
    if (blank && !black_.IsLoaded())
        black_.CreateBlank(width_, height_, 0);
    const Picture& shown = blank ? black_ : *screen;
    while (!Done() && FrameTime(next_) < until)
        WriteFrame(shown);
}

bool RenderFrames::Changed(const Picture& screen)
{
    const bool sameSize = last_.IsLoaded() && last_.Width() == screen.Width() && last_.Height() == screen.Height();
    const bool whole = all_ || &screen != lastScreen_ || !sameSize;
    std::vector<Rect> areas = whole ? std::vector<Rect>{screen.GetRect()} : std::move(presented_);
    presented_.clear();
    all_ = false;
    lastScreen_ = &screen;
    // The last frame is compared with the one before but kept for none after it.
    const bool keep = next_ + 1 < frameCount_;
    if (!sameSize) {
        // Nothing to compare with: the frame is new.
        if (!keep || !last_.CreateBlank(screen.Width(), screen.Height(), 0))
            return true;
        last_.BitBlt(0, 0, screen.Width(), screen.Height(), screen, 0, 0);
        return true;
    }
    bool changed = false;
    for (const Rect& r : areas) {
        const Rect a = r.Intersect(screen.GetRect());
        if (a.IsEmpty())
            continue;
        const size_t bytes = static_cast<size_t>(a.Width()) * sizeof(uint32_t);
        for (int y = a.top; y < a.bottom; ++y) {
            const uint32_t* now = screen.Row(y) + a.left;
            uint32_t* before = last_.Row(y) + a.left;
            if (std::memcmp(now, before, bytes) != 0) {
                if (!keep)
                    return true;
                std::memcpy(before, now, bytes);
                changed = true;
            }
        }
    }
    return changed;
}

void RenderFrames::WriteFrame(const Picture& screen)
{
    const bool changed = Changed(screen);
    const bool repeat = next_ > 0 && !changed;
    if (!repeat)
        ++distinct_;
    std::string error;
    if (!output_.Write(next_, screen, repeat, error) && error_.empty())
        error_ = error;
    if (next_ % sheetEvery_ == 0 && screen.Width() > 0) {
        // Where the show ends is not known ahead: thumbnails are taken at twice the spacing once there
        // are twice as many as the sheet shows.
        if (thumbnails_.size() >= 2 * kSheetThumbnails) {
            for (size_t i = 0; 2 * i < thumbnails_.size(); ++i)
                thumbnails_[i] = std::move(thumbnails_[2 * i]);
            thumbnails_.resize((thumbnails_.size() + 1) / 2);
            sheetEvery_ *= 2;
        }
    }
    if (next_ % sheetEvery_ == 0 && screen.Width() > 0) {
        const int tw = kThumbnailWidth;
        const int th = static_cast<int>(static_cast<long long>(tw) * screen.Height() / screen.Width());
        Picture thumb;
        if (th > 0 && thumb.CreateBlank(tw, th, 0)) {
            screen.StretchDraw(0, 0, tw, th, thumb);
            thumbnails_.push_back(std::move(thumb));
        }
    }
    ++next_;
    if (progress_ && openEnded_) {
        // Where the show's own length ends is seen when it comes: the show's time so far, each second.
        if (next_ % fps_ == 0 || shownPercent_ < 0) {
            shownPercent_ = 0;
            std::fprintf(stderr, "\rrendering: %d frames, %d s of the show", next_, next_ / fps_);
            std::fflush(stderr);
        }
    } else if (progress_) {
        const int percent = static_cast<int>(static_cast<int64_t>(next_) * 100 / std::max(frameCount_, 1));
        if (percent != shownPercent_) {
            shownPercent_ = percent;
            std::fprintf(stderr, "\rrendering: %d of %d frames (%d%%)", next_, frameCount_, percent);
            std::fflush(stderr);
        }
    }
}

void RenderFrames::ClearProgress()
{
    if (progress_ && shownPercent_ >= 0) {
        std::fprintf(stderr, "\r%60s\r", "");
        std::fflush(stderr);
    }
    shownPercent_ = -1;
}

bool RenderFrames::WriteContactSheet(std::string& error)
{
    const std::string path = outDir_ + "contact-sheet.png";
    if (thumbnails_.empty()) {
        error = "no frame to put on " + path;
        return false;
    }
    // At most a sheet's worth, spread evenly over the show.
    if (thumbnails_.size() > kSheetThumbnails) {
        std::vector<Picture> chosen;
        for (size_t i = 0; i < kSheetThumbnails; ++i)
            chosen.push_back(std::move(thumbnails_[i * (thumbnails_.size() - 1) / (kSheetThumbnails - 1)]));
        thumbnails_ = std::move(chosen);
    }
    const int tw = thumbnails_.front().Width();
    const int th = thumbnails_.front().Height();
    const int count = static_cast<int>(thumbnails_.size());
    const int columns = count < kSheetColumns ? count : kSheetColumns;
    const int rows = (count + columns - 1) / columns;
    Picture sheet;
    if (!sheet.CreateBlank(columns * (tw + kSheetGap) + kSheetGap, rows * (th + kSheetGap) + kSheetGap, 0x00404040)) {
        error = "cannot write " + path + ": out of memory";
        return false;
    }
    for (int i = 0; i < count; ++i)
        thumbnails_[static_cast<size_t>(i)].Draw(kSheetGap + (i % columns) * (tw + kSheetGap),
                                                 kSheetGap + (i / columns) * (th + kSheetGap), sheet);
    const std::string png = EncodePng(sheet);
    if (png.empty()) {
        error = "cannot write " + path + ": out of memory";
        return false;
    }
    return WriteFileReplacing(path, png, error);
}

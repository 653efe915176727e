#include "app/posix/RenderFrames.h"

#include <cstdio>
#include <fstream>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

constexpr int kSheetColumns = 6;
constexpr int kSheetThumbnails = 36;
constexpr int kThumbnailWidth = 240;
constexpr int kSheetGap = 4;

uint64_t HashPixels(const CComPicture& p)
{
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < p.Height(); ++y) {
        const uint32_t* row = p.Row(y);
        for (int x = 0; x < p.Width(); ++x) {
            h ^= row[x];
            h *= 1099511628211ull;
        }
    }
    return h;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

std::string EncodePng(const CComPicture& picture)
{
    if (!picture.IsLoaded())
        return {};
    const int w = picture.Width();
    const int h = picture.Height();
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    size_t i = 0;
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = picture.Row(y);
        for (int x = 0; x < w; ++x) {
            rgb[i++] = static_cast<unsigned char>(row[x] >> 16);
            rgb[i++] = static_cast<unsigned char>(row[x] >> 8);
            rgb[i++] = static_cast<unsigned char>(row[x]);
        }
    }
    std::string out;
    stbi_write_png_compression_level = 5;
    const int ok = stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
        },
        &out, w, h, 3, rgb.data(), w * 3);
    return ok ? out : std::string();
}

CRenderFrames::CRenderFrames(std::string outDir, int width, int height, int fps, int frameCount)
    : outDir_(std::move(outDir)),
      width_(width),
      height_(height),
      fps_(fps < 1 ? 1 : fps),
      frameCount_(frameCount < 0 ? 0 : frameCount),
      sheetEvery_(frameCount_ > kSheetThumbnails ? (frameCount_ + kSheetThumbnails - 1) / kSheetThumbnails : 1)
{
    if (!outDir_.empty() && outDir_.back() != '/')
        outDir_ += '/';
    black_.CreateBlank(width_, height_, 0);
}

std::string CRenderFrames::FrameName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", index);
    return name;
}

uint64_t CRenderFrames::FrameTime(int index) const
{
    return static_cast<uint64_t>(index) * 1000u / static_cast<uint64_t>(fps_);
}

void CRenderFrames::CaptureBefore(uint64_t until, const CComPicture* screen)
{
    const CComPicture& shown = screen && screen->IsLoaded() ? *screen : black_;
    while (!Done() && FrameTime(next_) < until)
        WriteFrame(shown);
}

void CRenderFrames::WriteFrame(const CComPicture& screen)
{
    // Most frames of a show repeat the one before: encode each picture once.
    const uint64_t hash = HashPixels(screen) ^ static_cast<uint64_t>(screen.Width()) << 32;
    if (lastPng_.empty() || hash != lastHash_) {
        lastPng_ = EncodePng(screen);
        lastHash_ = hash;
        ++distinct_;
    }
    const std::string path = outDir_ + FrameName(next_);
    if (lastPng_.empty() || !WriteBytes(path, lastPng_)) {
        if (error_.empty())
            error_ = "cannot write " + path;
    }
    if (next_ % sheetEvery_ == 0 && screen.Width() > 0) {
        const int tw = kThumbnailWidth;
        const int th = static_cast<int>(static_cast<long long>(tw) * screen.Height() / screen.Width());
        CComPicture thumb;
        if (th > 0 && thumb.CreateBlank(tw, th, 0)) {
            screen.StretchDraw(0, 0, tw, th, thumb);
            thumbnails_.push_back(std::move(thumb));
        }
    }
    ++next_;
}

bool CRenderFrames::WriteContactSheet()
{
    if (thumbnails_.empty())
        return false;
    const int tw = thumbnails_.front().Width();
    const int th = thumbnails_.front().Height();
    const int count = static_cast<int>(thumbnails_.size());
    const int columns = count < kSheetColumns ? count : kSheetColumns;
    const int rows = (count + columns - 1) / columns;
    CComPicture sheet;
    if (!sheet.CreateBlank(columns * (tw + kSheetGap) + kSheetGap, rows * (th + kSheetGap) + kSheetGap, 0x00404040))
        return false;
    for (int i = 0; i < count; ++i)
        thumbnails_[static_cast<size_t>(i)].Draw(kSheetGap + (i % columns) * (tw + kSheetGap),
                                                 kSheetGap + (i / columns) * (th + kSheetGap), sheet);
    const std::string png = EncodePng(sheet);
    return !png.empty() && WriteBytes(outDir_ + "contact-sheet.png", png);
}

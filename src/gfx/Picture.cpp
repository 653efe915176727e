#include "gfx/Picture.h"

#include <algorithm>
#include <cstring>

Picture::Picture() : surface_(nullptr, &Picture::ReleaseSurface)
{
}

Picture::~Picture()
{
    Free();
}

Picture::Picture(Picture&& other) noexcept : surface_(nullptr, &Picture::ReleaseSurface)
{
    *this = std::move(other);
}

Picture& Picture::operator=(Picture&& other) noexcept
{
    if (this != &other) {
        surface_ = std::move(other.surface_);
        bits_ = other.bits_;
        stride_ = other.stride_;
        width_ = other.width_;
        height_ = other.height_;
        loaded_ = other.loaded_;
        stretchMode_ = other.stretchMode_;
        clip_ = std::move(other.clip_);
        alpha_ = std::move(other.alpha_);
        other.alpha_.clear();
        other.surface_ = {nullptr, &Picture::ReleaseSurface};
        other.bits_ = nullptr;
        other.stride_ = 0;
        other.width_ = other.height_ = -1;
        other.loaded_ = false;
    }
    return *this;
}

void Picture::Install(std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface, uint32_t* bits, int stride,
                      int width, int height)
{
    Free();
    surface_ = std::move(surface);
    bits_ = bits;
    stride_ = stride;
    width_ = width;
    height_ = height;
    loaded_ = true;
}

int Picture::CreateBlank(int width, int height, Colorref colour)
{
    if (width <= 0 || height <= 0)
        return 0;
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxImagePixels)
        return 0;
    uint32_t* bits = nullptr;
    int stride = 0;
    auto surface = AllocateSurface(width, height, &bits, &stride);
    if (!surface)
        return 0;
    Install(std::move(surface), bits, stride, width, height);
    const uint32_t pixel = PixelFromColorref(colour);
    if (pixel != 0 || !NewSurfacesAreBlack()) {
        for (int y = 0; y < height; ++y)
            std::fill_n(Row(y), width, pixel);
    }
    return 1;
}

void Picture::Free()
{
    surface_.reset();
    bits_ = nullptr;
    stride_ = 0;
    width_ = -1;
    height_ = -1;
    loaded_ = false;
    clip_.reset();
    alpha_.clear();
}

void Picture::TakeAlpha(bool hasAlpha)
{
    if (hasAlpha) {
        alpha_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                alpha_[static_cast<size_t>(y) * width_ + x] = static_cast<uint8_t>(Row(y)[x] >> 24);
    }
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            Row(y)[x] &= 0x00FFFFFF;
}

static bool Consistent(const DecodedImage& image)
{
    return !image.Empty() &&
        static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height) <= kMaxImagePixels &&
        image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
}

int Picture::AssignDecoded(const DecodedImage& image)
{
    if (!Consistent(image))
        return 0;
    uint32_t* bits = nullptr;
    int stride = 0;
    auto surface = AllocateSurface(image.width, image.height, &bits, &stride);
    if (!surface)
        return 0;
    Install(std::move(surface), bits, stride, image.width, image.height);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            Row(y)[x] = image.pixels[static_cast<size_t>(y) * width_ + x];
    TakeAlpha(image.hasAlpha);
    return 1;
}

int Picture::AdoptDecoded(DecodedImage&& image)
{
    if (!Consistent(image))
        return 0;
    const int width = image.width;
    const int height = image.height;
    const bool hasAlpha = image.hasAlpha;
    uint32_t* bits = nullptr;
    int stride = 0;
    auto surface = AdoptSurface(std::move(image), &bits, &stride);
    if (!surface)
        return 0;
    Install(std::move(surface), bits, stride, width, height);
    TakeAlpha(hasAlpha);
    return 1;
}

DecodedImage Picture::ToDecoded() const
{
    DecodedImage image;
    if (!loaded_)
        return image;
    image.width = width_;
    image.height = height_;
    image.pixels.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        std::memcpy(&image.pixels[static_cast<size_t>(y) * width_], Row(y), sizeof(uint32_t) * width_);
    return image;
}

Colorref Picture::GetPixel(int x, int y) const
{
    if (!loaded_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return kInvalidColor;
    return ColorrefFromPixel(Row(y)[x]);
}

void Picture::SetPixel(int x, int y, Colorref colour)
{
    if (!loaded_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    Row(y)[x] = PixelFromColorref(colour);
}

int Picture::SetStretchBltMode(int mode)
{
    if (mode < kBlackOnWhite || mode > kHalftone)
        return 0;
    const int previous = stretchMode_;
    stretchMode_ = mode;
    return previous;
}

void Picture::SelectClipRgn(const Region* region)
{
    if (region)
        clip_ = std::make_unique<Region>(*region);
    else
        clip_.reset();
}

void Picture::SelectClipRgn(Region&& region)
{
    clip_ = std::make_unique<Region>(std::move(region));
}

Region Picture::ReleaseClipRgn()
{
    Region region;
    if (clip_)
        region = std::move(*clip_);
    clip_.reset();
    return region;
}

void Picture::Draw(int x, int y, Picture& target, RasterOp rop) const
{
    if (!loaded_)
        return;
    target.BitBlt(x, y, width_, height_, *this, 0, 0, rop);
}

void Picture::StretchDraw(int x, int y, int width, int height, Picture& target, RasterOp rop) const
{
    if (!loaded_)
        return;
    const int previous = target.SetStretchBltMode(kHalftone);
    target.StretchBlt(x, y, width, height, *this, 0, 0, width_, height_, rop);
    target.SetStretchBltMode(previous);
}

int Picture::DrawTransparent(Picture& target, int x, int y) const
{
    if (!loaded_)
        return 1;
    const Colorref key = GetPixel(1, 1);
    if (key == kInvalidColor)
        target.BitBlt(x, y, width_, height_, *this, 0, 0);
    else
        target.KeyedBlt(x, y, width_, height_, *this, 0, 0, key);
    return 1;
}

int Picture::StretchDrawTransparent(Picture& target, int x, int y, int width, int height) const
{
    if (!loaded_)
        return 1;
    Picture stretched;
    if (!stretched.CreateBlank(width, height, 0))
        return 1;
    stretched.SetStretchBltMode(kHalftone);
    stretched.StretchBlt(0, 0, width, height, *this, 0, 0, width_, height_);
    stretched.DrawTransparent(target, x, y);
    return 1;
}

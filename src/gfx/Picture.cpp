#include "gfx/Picture.h"

#include <algorithm>
#include <cstring>

Picture::Picture() : m_surface(nullptr, &Picture::ReleaseSurface)
{
}

Picture::~Picture()
{
    Free();
}

Picture::Picture(Picture&& other) noexcept : m_surface(nullptr, &Picture::ReleaseSurface)
{
    *this = std::move(other);
}

Picture& Picture::operator=(Picture&& other) noexcept
{
    if (this != &other) {
        m_surface = std::move(other.m_surface);
        m_bits = other.m_bits;
        m_stride = other.m_stride;
        m_width = other.m_width;
        m_height = other.m_height;
        m_loaded = other.m_loaded;
        m_stretchMode = other.m_stretchMode;
        m_clip = std::move(other.m_clip);
        m_alpha = std::move(other.m_alpha);
        other.m_alpha.clear();
        other.m_surface = {nullptr, &Picture::ReleaseSurface};
        other.m_bits = nullptr;
        other.m_stride = 0;
        other.m_width = other.m_height = -1;
        other.m_loaded = false;
    }
    return *this;
}

void Picture::Install(std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface, uint32_t* bits,
                          int stride, int width, int height)
{
    Free();
    m_surface = std::move(surface);
    m_bits = bits;
    m_stride = stride;
    m_width = width;
    m_height = height;
    m_loaded = true;
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
    m_surface.reset();
    m_bits = nullptr;
    m_stride = 0;
    m_width = -1;
    m_height = -1;
    m_loaded = false;
    m_clip.reset();
    m_alpha.clear();
}

void Picture::TakeAlpha(bool hasAlpha)
{
    if (hasAlpha) {
        m_alpha.resize(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                m_alpha[static_cast<size_t>(y) * m_width + x] = static_cast<uint8_t>(Row(y)[x] >> 24);
    }
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
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
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            Row(y)[x] = image.pixels[static_cast<size_t>(y) * m_width + x];
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
    if (!m_loaded)
        return image;
    image.width = m_width;
    image.height = m_height;
    image.pixels.resize(static_cast<size_t>(m_width) * m_height);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(&image.pixels[static_cast<size_t>(y) * m_width], Row(y), sizeof(uint32_t) * m_width);
    return image;
}

Colorref Picture::GetPixel(int x, int y) const
{
    if (!m_loaded || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kInvalidColor;
    return ColorrefFromPixel(Row(y)[x]);
}

void Picture::SetPixel(int x, int y, Colorref colour)
{
    if (!m_loaded || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    Row(y)[x] = PixelFromColorref(colour);
}

int Picture::SetStretchBltMode(int mode)
{
    if (mode < kBlackOnWhite || mode > kHalftone)
        return 0;
    const int previous = m_stretchMode;
    m_stretchMode = mode;
    return previous;
}

void Picture::SelectClipRgn(const Region* region)
{
    if (region)
        m_clip = std::make_unique<Region>(*region);
    else
        m_clip.reset();
}

void Picture::Draw(int x, int y, Picture& target, RasterOp rop) const
{
    if (!m_loaded)
        return;
    target.BitBlt(x, y, m_width, m_height, *this, 0, 0, rop);
}

void Picture::StretchDraw(int x, int y, int width, int height, Picture& target, RasterOp rop) const
{
    if (!m_loaded)
        return;
    const int previous = target.SetStretchBltMode(kHalftone);
    target.StretchBlt(x, y, width, height, *this, 0, 0, m_width, m_height, rop);
    target.SetStretchBltMode(previous);
}

int Picture::DrawTransparent(Picture& target, int x, int y) const
{
    if (!m_loaded)
        return 1;
    const Colorref key = GetPixel(1, 1);
    if (key == kInvalidColor)
        target.BitBlt(x, y, m_width, m_height, *this, 0, 0);
    else
        target.KeyedBlt(x, y, m_width, m_height, *this, 0, 0, key);
    return 1;
}

int Picture::StretchDrawTransparent(Picture& target, int x, int y, int width, int height) const
{
    if (!m_loaded)
        return 1;
    Picture stretched;
    if (!stretched.CreateBlank(width, height, 0))
        return 1;
    stretched.SetStretchBltMode(kHalftone);
    stretched.StretchBlt(0, 0, width, height, *this, 0, 0, m_width, m_height);
    stretched.DrawTransparent(target, x, y);
    return 1;
}

// Pictures on Windows keep their pixels in a top-down 32-bit DIB section selected into a memory DC.
#include <cstring>
#include <vector>

#include "gfx/win32/PictureDC.h"

struct PictureSurface {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
};

std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> Picture::AllocateSurface(int width, int height,
                                                                                    uint32_t** bits, int* stride)
{
    std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface(nullptr, &Picture::ReleaseSurface);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap || !pixels) {
        if (bitmap)
            DeleteObject(bitmap);
        return surface;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        DeleteObject(bitmap);
        return surface;
    }
    auto* s = new (std::nothrow) PictureSurface;
    if (!s) {
        DeleteDC(dc);
        DeleteObject(bitmap);
        return surface;
    }
    s->bitmap = bitmap;
    s->dc = dc;
    s->previous = SelectObject(dc, bitmap);
    surface.reset(s);
    *bits = static_cast<uint32_t*>(pixels);
    *stride = width; // 32-bit rows need no padding
    return surface;
}

std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> Picture::AdoptSurface(DecodedImage&& image, uint32_t** bits,
                                                                                 int* stride)
{
    // GDI owns the pixel memory of a DIB section, so the decoded pixels are copied into one.
    auto surface = AllocateSurface(image.width, image.height, bits, stride);
    if (surface)
        std::memcpy(*bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
    return surface;
}

void Picture::ReleaseSurface(PictureSurface* surface)
{
    if (!surface)
        return;
    GdiFlush();
    SelectObject(surface->dc, surface->previous);
    DeleteDC(surface->dc);
    DeleteObject(surface->bitmap);
    delete surface;
}

HDC PictureDC(const Picture& picture)
{
    return picture.Surface() ? picture.Surface()->dc : nullptr;
}

HBITMAP PictureBitmap(const Picture& picture)
{
    return picture.Surface() ? picture.Surface()->bitmap : nullptr;
}

bool PaintPicture(HDC target, int x, int y, int w, int h, const Picture& picture, int sx, int sy)
{
    HDC dc = PictureDC(picture);
    if (!dc || !target)
        return false;
    return ::BitBlt(target, x, y, w, h, dc, sx, sy, SRCCOPY) != FALSE;
}

HRGN CreateGdiRegion(const Region& region)
{
    // All rectangles at once: combining them one by one costs time in the square of their number.
    const std::vector<Rect> rects = region.Rects();
    std::vector<unsigned char> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = data->rdh.nCount * static_cast<DWORD>(sizeof(RECT));
    const Rect bounds = region.Bounds();
    data->rdh.rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < rects.size(); ++i)
        out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    HRGN result = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
    return result ? result : CreateRectRgn(0, 0, 0, 0);
}

GdiClipScope::GdiClipScope(const Picture& picture, const Rect* narrowTo) : dc_(PictureDC(picture))
{
    if (!dc_)
        return;
    if (!picture.GetClipRgn() && !narrowTo)
        return;
    Region clip = picture.GetClipRgn() ? *picture.GetClipRgn() : Region::FromRect(picture.GetRect());
    if (narrowTo)
        clip.Combine(Region::FromRect(*narrowTo), RegionOp::And);
    HRGN rgn = CreateGdiRegion(clip);
    SelectClipRgn(dc_, rgn);
    DeleteObject(rgn);
}

GdiClipScope::~GdiClipScope()
{
    if (dc_)
        SelectClipRgn(dc_, nullptr);
}

bool Picture::NewSurfacesAreBlack()
{
    // A DIB section's first contents are not promised.
    return false;
}

// Pictures on Linux keep their pixels in an ordinary vector.
#include <new>
#include <vector>

#include "gfx/ComPicture.h"

struct PictureSurface {
    std::vector<uint32_t> pixels;
};

std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> CComPicture::AllocateSurface(int width, int height,
                                                                                        uint32_t** bits, int* stride)
{
    std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface(nullptr, &CComPicture::ReleaseSurface);
    try {
        surface.reset(new PictureSurface);
        surface->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    } catch (const std::bad_alloc&) {
        surface.reset();
        return surface;
    }
    *bits = surface->pixels.data();
    *stride = width;
    return surface;
}

std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> CComPicture::AdoptSurface(DecodedImage&& image,
                                                                                     uint32_t** bits, int* stride)
{
    std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface(nullptr, &CComPicture::ReleaseSurface);
    try {
        surface.reset(new PictureSurface);
    } catch (const std::bad_alloc&) {
        return surface;
    }
    surface->pixels = std::move(image.pixels);
    *bits = surface->pixels.data();
    *stride = image.width;
    return surface;
}

void CComPicture::ReleaseSurface(PictureSurface* surface)
{
    delete surface;
}

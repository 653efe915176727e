// Pictures on Linux keep their pixels in memory of their own: zeroed by calloc, which for large pictures
// takes pages the system hands out zeroed anyway (a black picture costs no pass over its pixels, and parts
// never drawn are never touched), or in the vector a decoder filled.
#include <cstdlib>
#include <vector>

#include "gfx/Picture.h"

struct PictureSurface {
    std::vector<uint32_t> pixels; // adopted from a decoder
    uint32_t* allocated = nullptr;
    ~PictureSurface() { std::free(allocated); }
};

std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> Picture::AllocateSurface(int width, int height,
                                                                                    uint32_t** bits, int* stride)
{
    std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface(nullptr, &Picture::ReleaseSurface);
    auto* s = new (std::nothrow) PictureSurface;
    if (!s)
        return surface;
    surface.reset(s);
    s->allocated =
        static_cast<uint32_t*>(std::calloc(static_cast<size_t>(width) * static_cast<size_t>(height), sizeof(uint32_t)));
    if (!s->allocated) {
        surface.reset();
        return surface;
    }
    *bits = s->allocated;
    *stride = width;
    return surface;
}

std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> Picture::AdoptSurface(DecodedImage&& image, uint32_t** bits,
                                                                                 int* stride)
{
    std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface(nullptr, &Picture::ReleaseSurface);
    auto* s = new (std::nothrow) PictureSurface;
    if (!s)
        return surface;
    surface.reset(s);
    s->pixels = std::move(image.pixels);
    *bits = s->pixels.data();
    *stride = image.width;
    return surface;
}

void Picture::ReleaseSurface(PictureSurface* surface)
{
    delete surface;
}

bool Picture::NewSurfacesAreBlack()
{
    return true;
}

#include "codecs/posix/PngEncoder.h"

#include <csetjmp>
#include <png.h>
#include <zlib.h>

namespace {

void Append(png_structp png, png_bytep data, png_size_t size)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void Flush(png_structp)
{
}

} // namespace

bool EncodePng(const uint8_t* pixels, int width, int height, size_t stride, PngPixels layout, int level,
               std::string& out)
{
    out.clear();
    if (!pixels || width <= 0 || height <= 0)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        out.clear();
        return false;
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 layout == PngPixels::Rgba ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_compression_level(png, level < 0 ? 0 : level > 9 ? 9 : level);
    // The "up" filter alone is cheap and suits slides, whose rows mostly repeat the row above.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, level <= 3 ? PNG_FILTER_UP : PNG_ALL_FILTERS);
    if (level <= 3)
        png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    if (layout == PngPixels::Bgrx) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    }
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(pixels + static_cast<size_t>(y) * stride));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

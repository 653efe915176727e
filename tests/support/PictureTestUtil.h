#pragma once
#include <string>
#include <vector>

#include "gfx/Picture.h"

// Raw pixel values (0x00RRGGBB) for picture tests.
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

// A w x h picture with the given pixels, row by row.
inline Picture MakePicture(int w, int h, const std::vector<uint32_t>& pixels)
{
    Picture p;
    DecodedImage image;
    image.width = w;
    image.height = h;
    image.pixels = pixels;
    p.AssignDecoded(image);
    return p;
}

// A w x h picture whose pixel (x, y) is y * 16 + x + 1, so every pixel tells where it came from.
inline Picture MakeNumbered(int w, int h)
{
    std::vector<uint32_t> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px.push_back(static_cast<uint32_t>(y * 16 + x + 1));
    return MakePicture(w, h, px);
}

inline Picture MakeFilled(int w, int h, uint32_t pixel)
{
    return MakePicture(w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, pixel));
}

inline std::vector<uint32_t> PixelsOf(const Picture& p)
{
    return p.ToDecoded().pixels;
}

// The picture as text, one line per row: '#' for pixels equal to `ink`, '.' otherwise.
inline std::string Mask(const Picture& p, uint32_t ink)
{
    std::string s;
    for (int y = 0; y < p.Height(); ++y) {
        for (int x = 0; x < p.Width(); ++x)
            s += p.Row(y)[x] == ink ? '#' : '.';
        s += '\n';
    }
    return s;
}

// A region as the same kind of text over the rectangle (0, 0, w, h).
inline std::string Mask(const Region& r, int w, int h)
{
    std::string s;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            s += r.Contains(x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

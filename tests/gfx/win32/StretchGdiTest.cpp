// The portable stretch against GDI's StretchBlt on the same pixels (DIB sections).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "gfx/win32/PictureDC.h"
#include "support/PictureTestUtil.h"

namespace {

// Every channel random: neighbours share nothing, so a wrong source pixel always shows.
Picture Noise(int w, int h)
{
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    unsigned seed = 12345;
    for (auto& p : px) {
        seed = seed * 1103515245u + 12345u;
        p = (seed >> 8) & 0xFFFFFF;
    }
    return MakePicture(w, h, px);
}

// Ramps across, down and diagonally; with `ripple`, blue is a soft wave instead, like detail in a photograph.
Picture Ramps(int w, int h, bool ripple)
{
    std::vector<uint32_t> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int r = 255 * x / (w - 1);
            const int g = 255 * y / (h - 1);
            const int b =
                ripple ? static_cast<int>(127.5 + 127.5 * std::sin((x + 2 * y) * 0.15)) : 255 * (x + y) / (w + h - 2);
            px.push_back(static_cast<uint32_t>(r << 16 | g << 8 | b));
        }
    return MakePicture(w, h, px);
}

struct Case {
    const char* what;
    int x, y, w, h, sx, sy, sw, sh;
};

// On a 61 x 47 source and an 80 x 64 destination filled with a marker colour.
const Case kCases[] = {
    {"same size", 3, 2, 61, 47, 0, 0, 61, 47},
    {"enlarge", 0, 0, 80, 64, 0, 0, 61, 47},
    {"enlarge a part", 5, 1, 70, 60, 13, 9, 17, 11},
    {"reduce", 2, 3, 29, 17, 0, 0, 61, 47},
    {"reduce a lot", 0, 0, 7, 5, 0, 0, 61, 47},
    {"wider, lower", 0, 0, 79, 20, 0, 0, 61, 47},
    {"narrower, higher", 0, 0, 23, 63, 0, 0, 61, 47},
    {"one column", 4, 0, 1, 40, 0, 0, 61, 47},
    {"one row", 0, 4, 40, 1, 0, 0, 61, 47},
    {"mirrored across", 70, 0, -66, 50, 0, 0, 61, 47},
    {"mirrored down", 0, 55, 50, -41, 0, 0, 61, 47},
    {"mirrored source", 0, 0, 33, 70, 60, 0, -61, 47},
    {"both extents negative", 75, 60, -44, -30, 60, 46, -61, -47},
    {"partly outside", -17, -9, 90, 70, 0, 0, 61, 47},
};

struct Difference {
    int differing = 0; // pixels
    int max = 0;       // largest channel difference
    double mean = 0;   // mean channel difference over all pixels
};

Difference Compare(const Picture& source, int mode, const Case& c)
{
    Picture gdi = MakeFilled(80, 64, 0x123456), ours = MakeFilled(80, 64, 0x123456);
    HDC dc = PictureDC(gdi);
    SetStretchBltMode(dc, mode);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, c.x, c.y, c.w, c.h, PictureDC(source), c.sx, c.sy, c.sw, c.sh, SRCCOPY);
    GdiFlush();
    ours.SetStretchBltMode(mode);
    ours.StretchBlt(c.x, c.y, c.w, c.h, source, c.sx, c.sy, c.sw, c.sh);

    // Over the destination rectangle, as far as it lies on the picture.
    const Rect drawn = Rect{c.x, c.y, c.x + c.w, c.y + c.h}.Normalized().Intersect(Rect{0, 0, 80, 64});
    Difference d;
    long long total = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 80; ++x) {
            const uint32_t a = gdi.Row(y)[x], b = ours.Row(y)[x];
            d.differing += (a & 0xFFFFFF) != (b & 0xFFFFFF);
            if (!drawn.Contains(x, y))
                continue;
            for (int shift : {0, 8, 16}) {
                const int diff = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
                d.max = std::max(d.max, diff);
                total += diff;
            }
        }
    d.mean = double(total) / (drawn.Width() * drawn.Height() * 3);
    return d;
}

} // namespace

TEST(StretchGdi, ColorOnColorPicksTheSamePixels)
{
    const Picture source = Noise(61, 47);
    for (const Case& c : kCases)
        EXPECT_EQ(Compare(source, COLORONCOLOR, c).differing, 0) << c.what;
}

// Ours averages the covered area (box filter) when reducing and interpolates between pixel centres when
// enlarging. Wine's HALFTONE interpolates between the two source pixels at i * source / destination
// without averaging: it drops detail when reducing and lies up to half a source pixel off when enlarging
// (Windows' own HALFTONE averages). On ramps the two agree within a few levels; on detail they differ as
// the filters do: the figures are printed.
TEST(StretchGdi, HalftoneAgreesOnRampsAndDiffersOnDetailAsTheFiltersDo)
{
    const Picture ramps = Ramps(61, 47, false), photo = Ramps(61, 47, true), noise = Noise(61, 47);
    for (const Case& c : kCases) {
        const Difference r = Compare(ramps, HALFTONE, c), p = Compare(photo, HALFTONE, c),
                         n = Compare(noise, HALFTONE, c);
        std::printf("HALFTONE %-22s ramps: max %3d mean %5.2f  photo: max %3d mean %5.2f  noise: max %3d mean %5.2f\n",
                    c.what, r.max, r.mean, p.max, p.mean, n.max, n.mean);
        // The two sample up to half a reduction's span apart; the ramps climb at most 4.3 levels a pixel.
        const double span = std::max({1.0, std::abs(double(c.sw) / c.w), std::abs(double(c.sh) / c.h)});
        EXPECT_LE(r.max, 3 + 3 * span) << c.what;
    }
}

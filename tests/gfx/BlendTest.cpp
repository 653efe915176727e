#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/Blend.h"
#include "gfx/Picture.h"

namespace {

std::vector<uint32_t> RandomPixels(size_t n, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(n);
    for (uint32_t& p : pixels)
        p = random();
    return pixels;
}

} // namespace

// The rounding as written: w = 0 and 256 give either input exactly, an exact half rounds up, and each byte
// (the unused fourth one too) is blended on its own without carrying into the next.
TEST(Blend, RoundingAsWritten)
{
    const uint32_t a = 0x00FF0000, b = 0xFF0001FF;
    uint32_t out = 0;
    for (auto [w, want] : {std::pair{0, a}, {256, b}, {128, 0x80800180u}, {1, 0x01FE0001u}, {-5, a}, {999, b}}) {
        BlendPixels(&out, &a, &b, 1, w);
        EXPECT_EQ(out, want) << "weight " << w;
    }
}

// Every weight, every count around the four-pixel steps, in place and with black for either input: the fast
// loop gives exactly the reference's bytes.
TEST(Blend, FastLoopMatchesTheReference)
{
    const std::vector<uint32_t> a = RandomPixels(67, 1), b = RandomPixels(67, 2);
    for (int w = 0; w <= kBlendOne; ++w) {
        for (int64_t count : {0, 1, 3, 4, 5, 16, 67}) {
            std::vector<uint32_t> want(a.size()), got(a.size());
            BlendPixelsReference(want.data(), a.data(), b.data(), count, w);
            BlendPixels(got.data(), a.data(), b.data(), count, w);
            ASSERT_EQ(got, want) << "weight " << w << ", " << count << " pixels";
            std::vector<uint32_t> inPlace = a;
            BlendPixels(inPlace.data(), inPlace.data(), b.data(), count, w);
            for (int64_t i = count; i < 67; ++i)
                want[i] = a[i];
            ASSERT_EQ(inPlace, want) << "in place, weight " << w;
        }
        std::vector<uint32_t> want(a.size()), got(a.size());
        BlendPixelsReference(want.data(), nullptr, b.data(), 67, w);
        BlendPixels(got.data(), nullptr, b.data(), 67, w);
        ASSERT_EQ(got, want) << "from black, weight " << w;
        BlendPixelsReference(want.data(), a.data(), nullptr, 67, w);
        BlendPixels(got.data(), a.data(), nullptr, 67, w);
        ASSERT_EQ(got, want) << "to black, weight " << w;
    }
}

// A rectangle large enough to be shared with a second thread, with offsets into both sources and clipped to
// every picture: each pixel is the reference blend of the two pixels it takes, the rest stays.
TEST(Blend, RectanglesTakeTheirPixelsFromTheOffsetsAndClip)
{
    constexpr int kW = 700, kH = 500;
    Picture a, b, dest;
    a.CreateBlank(kW, kH);
    b.CreateBlank(kW - 40, kH - 30);
    dest.CreateBlank(kW, kH, 0x123456);
    const std::vector<uint32_t> pa = RandomPixels(size_t(kW) * kH, 3), pb = RandomPixels(size_t(kW) * kH, 4);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            a.Row(y)[x] = pa[size_t(y) * kW + x];
            if (x < b.Width() && y < b.Height())
                b.Row(y)[x] = pb[size_t(y) * kW + x];
        }
    const uint32_t untouched = dest.Row(0)[0];
    const Rect r{-10, 5, kW, kH};
    const Point aAt{0, -5}, bAt{-20, -10};
    BlendRect(dest, r, &a, aAt, &b, bAt, 77);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const bool inside = y >= 10 && x >= 20 && x - 20 < b.Width() && y - 10 < b.Height();
            uint32_t want = untouched;
            if (inside)
                BlendPixelsReference(&want, &a.Row(y - 5)[x], &b.Row(y - 10)[x - 20], 1, 77);
            ASSERT_EQ(dest.Row(y)[x], want) << x << "," << y;
        }
}

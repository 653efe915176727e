#include <gtest/gtest.h>

#include <new>

#include "gfx/StretchRowsWide.h"
#include "support/PictureTestUtil.h"
#include "support/SecondThreadHook.h"

namespace {

Picture Target(int w, int h, int mode, uint32_t fill = 0xABCDEF)
{
    Picture p = MakeFilled(w, h, fill);
    p.SetStretchBltMode(mode);
    return p;
}

// Pixels from a fixed sequence of random numbers.
Picture Noise(int w, int h)
{
    std::vector<uint32_t> px;
    uint32_t s = 12345;
    for (int i = 0; i < w * h; ++i) {
        s = s * 1664525u + 1013904223u;
        px.push_back((s >> 8) & 0x00FFFFFF);
    }
    return MakePicture(w, h, px);
}

// FNV-1a over the pixels, row by row.
uint64_t Digest(const Picture& p)
{
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            h ^= p.Row(y)[x];
            h *= 1099511628211ull;
        }
    return h;
}

// Blue channel values as a one-row picture.
Picture Row(const std::vector<uint32_t>& values)
{
    return MakePicture(static_cast<int>(values.size()), 1, values);
}

} // namespace

// The driver steps through the source with an error term whose start differs between enlargements and
// reductions, and between rows and columns; these are the pixels GDI picks.
TEST(StretchColorOnColor, StepsThroughTheSourceLikeGdi)
{
    struct Case {
        int from, to;
        std::vector<uint32_t> across, down; // source pixels (1-based) along a row and down a column
    };
    const Case cases[] = {
        {4, 2, {2, 4}, {1, 3}},
        {4, 3, {1, 3, 4}, {1, 2, 4}},
        {6, 1, {5}, {1}}, // one column keeps the next to last pixel
        {8, 5, {2, 3, 5, 6, 8}, {1, 3, 4, 6, 7}},
        {4, 7, {1, 1, 2, 2, 3, 4, 4}, {1, 1, 2, 2, 3, 4, 4}},
        {2, 5, {1, 1, 1, 2, 2}, {1, 1, 1, 2, 2}},
        {8, 13, {1, 1, 2, 3, 3, 4, 4, 5, 6, 6, 7, 8, 8}, {1, 1, 2, 3, 3, 4, 4, 5, 6, 6, 7, 8, 8}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> values;
        for (int i = 1; i <= c.from; ++i)
            values.push_back(static_cast<uint32_t>(i));
        Picture row = MakePicture(c.from, 1, values), column = MakePicture(1, c.from, values);
        Picture across = Target(c.to, 1, kColorOnColor), down = Target(1, c.to, kColorOnColor);
        across.StretchBlt(0, 0, c.to, 1, row, 0, 0, c.from, 1);
        down.StretchBlt(0, 0, 1, c.to, column, 0, 0, 1, c.from);
        EXPECT_EQ(PixelsOf(across), c.across) << c.from << " -> " << c.to;
        EXPECT_EQ(PixelsOf(down), c.down) << c.from << " -> " << c.to;
    }
    // A source rectangle inside the picture steps from its own origin.
    Picture src = Row({1, 2, 3, 4});
    Picture wide = Target(6, 1, kColorOnColor);
    wide.StretchBlt(0, 0, 6, 1, src, 1, 0, 2, 1);
    EXPECT_EQ(PixelsOf(wide), (std::vector<uint32_t>{2, 2, 2, 3, 3, 3}));
}

// Large enlargements along a row are filled a run at a time; down a column the same stepping picks pixels
// one by one. Both must agree, mirrored, with the source partly outside the picture, and where only part of
// the destination is visible.
TEST(StretchColorOnColor, LargeEnlargementsTakeThePixelsOneByOneWouldTake)
{
    struct Case {
        int from, to, srcPos, srcExtent, destPos, destExtent;
    } cases[] = {{10, 1910, 0, 10, 0, 1910}, {3, 40, 0, 3, 0, 40},        {7, 33, 0, 7, 32, -33}, {5, 37, -2, 6, 0, 37},
                 {5, 37, 4, -5, 0, 37},      {10, 300, 0, 10, -100, 350}, {1, 9, 0, 1, 0, 9}};
    for (const Case& c : cases) {
        std::vector<uint32_t> values;
        for (int i = 1; i <= c.from; ++i)
            values.push_back(static_cast<uint32_t>(i));
        const Picture row = MakePicture(c.from, 1, values), column = MakePicture(1, c.from, values);
        Picture across = Target(c.to, 1, kColorOnColor, 99), down = Target(1, c.to, kColorOnColor, 99);
        across.StretchBlt(c.destPos, 0, c.destExtent, 1, row, c.srcPos, 0, c.srcExtent, 1);
        down.StretchBlt(0, c.destPos, 1, c.destExtent, column, 0, c.srcPos, 1, c.srcExtent);
        EXPECT_EQ(PixelsOf(across), PixelsOf(down)) << c.from << " -> " << c.to;
    }
}

TEST(StretchColorOnColor, OppositeSignsMirror)
{
    Picture src = MakeNumbered(3, 2);
    Picture dst = Target(3, 2, kColorOnColor);
    // A negative extent covers the pixels from its origin back: (2, -3) is 0 to 2.
    dst.StretchBlt(2, 0, -3, 2, src, 0, 0, 3, 2);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{3, 2, 1, 19, 18, 17}));
    dst.StretchBlt(0, 0, 3, 2, src, 0, 1, 3, -2);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{17, 18, 19, 1, 2, 3}));
    dst.StretchBlt(2, 1, -3, -2, src, 0, 0, 3, 2); // both flipped: upside down and mirrored
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{19, 18, 17, 3, 2, 1}));
    dst.StretchBlt(2, 0, -3, 2, src, 2, 0, -3, 2); // both extents negative: no mirror
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{1, 2, 3, 17, 18, 19}));
    Picture wide = Target(4, 1, kColorOnColor, 9);
    wide.StretchBlt(3, 0, -3, 1, src, 0, 0, 3, 1); // pixel 0 is not covered
    EXPECT_EQ(PixelsOf(wide), (std::vector<uint32_t>{9, 3, 2, 1}));
}

TEST(StretchColorOnColor, SourceOutsideThePictureLeavesTheDestination)
{
    Picture src = Row({1, 2});
    Picture dst = Target(4, 1, kColorOnColor, 9);
    dst.StretchBlt(0, 0, 4, 1, src, -2, 0, 4, 1);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{9, 9, 1, 2}));
}

TEST(StretchBlackOnWhite, ReductionsKeepAndOrOrOfTheMergedPixels)
{
    Picture src = Row({0xF0F0F0, 0x3C3C3C, 0x0F0F0F, 0x0F0F0F});
    Picture dst = Target(2, 1, kBlackOnWhite);
    dst.StretchBlt(0, 0, 2, 1, src, 0, 0, 4, 1);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{0x303030, 0x0F0F0F}));
    dst.SetStretchBltMode(kWhiteOnBlack);
    dst.StretchBlt(0, 0, 2, 1, src, 0, 0, 4, 1);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{0xFCFCFC, 0x0F0F0F}));
}

TEST(StretchHalftone, ReductionAveragesTheCoveredArea)
{
    Picture src = Row({0, 100, 10, 20, 1, 2});
    Picture dst = Target(3, 1, kHalftone);
    dst.StretchBlt(0, 0, 3, 1, src, 0, 0, 6, 1);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{50, 15, 2}));

    // 3 -> 2: each destination pixel covers one and a half source pixels.
    Picture three = Row({0, 90, 180});
    Picture two = Target(2, 1, kHalftone);
    two.StretchBlt(0, 0, 2, 1, three, 0, 0, 3, 1);
    EXPECT_EQ(PixelsOf(two), (std::vector<uint32_t>{30, 150}));

    // Both axes: a 2x2 block becomes its mean, per channel.
    Picture block = MakePicture(2, 2, {0x000000, 0x0A1428, 0x643200, 0x000000});
    Picture one = Target(1, 1, kHalftone);
    one.StretchBlt(0, 0, 1, 1, block, 0, 0, 2, 2);
    EXPECT_EQ(PixelsOf(one), (std::vector<uint32_t>{0x1C120A}));
}

// Wide enough for the vector paths and their leftovers: 42 x 30 noise into 7 x 5 blocks of 6 x 6.
TEST(StretchHalftone, WholeBlocksBecomeTheirMeanAndMirrorsMatch)
{
    std::vector<uint32_t> px;
    unsigned seed = 7;
    for (int i = 0; i < 42 * 30; ++i) {
        seed = seed * 1103515245u + 12345u;
        px.push_back((seed >> 8) & 0xFFFFFF);
    }
    const Picture src = MakePicture(42, 30, px);
    Picture dst = Target(7, 5, kHalftone);
    dst.StretchBlt(0, 0, 7, 5, src, 0, 0, 42, 30);
    for (int by = 0; by < 5; ++by)
        for (int bx = 0; bx < 7; ++bx)
            for (int shift : {0, 8, 16}) {
                int sum = 0;
                for (int y = 0; y < 6; ++y)
                    for (int x = 0; x < 6; ++x)
                        sum += (px[size_t(by * 6 + y) * 42 + bx * 6 + x] >> shift) & 0xFF;
                const int got = static_cast<int>((dst.Row(by)[bx] >> shift) & 0xFF);
                EXPECT_NEAR(got, sum / 36.0, 1.0) << bx << "," << by;
            }
    Picture mirrored = Target(7, 5, kHalftone);
    mirrored.StretchBlt(6, 4, -7, -5, src, 0, 0, 42, 30);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(mirrored.Row(4 - y)[6 - x], dst.Row(y)[x]);
}

TEST(StretchHalftone, EnlargementInterpolatesBetweenCentres)
{
    Picture src = Row({0, 200});
    Picture dst = Target(4, 1, kHalftone);
    dst.StretchBlt(0, 0, 4, 1, src, 0, 0, 2, 1);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{0, 50, 150, 200}));
}

TEST(StretchHalftone, SameSizeIsAnExactCopy)
{
    Picture src = MakeNumbered(5, 4);
    Picture dst = Target(5, 4, kHalftone);
    dst.StretchBlt(0, 0, 5, 4, src, 0, 0, 5, 4);
    EXPECT_EQ(PixelsOf(dst), PixelsOf(src));
}

TEST(StretchHalftone, UniformColourStaysUniformAtAnyRatio)
{
    const uint32_t c = 0x3A7FC1;
    Picture src = MakeFilled(7, 5, c);
    for (auto [w, h] : {std::pair{3, 11}, {1, 1}, {13, 2}, {7, 5}, {40, 1}}) {
        Picture dst = Target(w, h, kHalftone);
        dst.StretchBlt(0, 0, w, h, src, 0, 0, 7, 5);
        EXPECT_EQ(PixelsOf(dst), std::vector<uint32_t>(static_cast<size_t>(w) * h, c)) << w << "x" << h;
    }
}

TEST(Stretch, OnePixelSourceAndHugeFactorsDrawOnlyTheVisiblePart)
{
    Picture src = MakeFilled(1, 1, kGreen);
    for (int mode : {kBlackOnWhite, kColorOnColor, kHalftone}) {
        Picture dst = Target(4, 3, mode);
        dst.StretchBlt(-1000000, -5, 200000000, 100000000, src, 0, 0, 1, 1);
        EXPECT_EQ(PixelsOf(dst), std::vector<uint32_t>(12, kGreen)) << mode;
    }
    // And a huge reduction into one pixel.
    Picture big = MakeFilled(3000, 2000, kRed);
    Picture dst = Target(1, 1, kHalftone);
    dst.StretchBlt(0, 0, 1, 1, big, 0, 0, 3000, 2000);
    EXPECT_EQ(PixelsOf(dst), std::vector<uint32_t>(1, kRed));
}

TEST(Stretch, ZeroExtentsAndEmptyPicturesDrawNothing)
{
    Picture src = MakeFilled(2, 2, kGreen);
    Picture empty;
    Picture dst = Target(2, 2, kHalftone, kBlue);
    dst.StretchBlt(0, 0, 0, 2, src, 0, 0, 2, 2);
    dst.StretchBlt(0, 0, 2, 2, src, 0, 0, 2, 0);
    dst.StretchBlt(0, 0, 2, 2, empty, 0, 0, 2, 2);
    empty.StretchBlt(0, 0, 2, 2, src, 0, 0, 2, 2);
    EXPECT_EQ(PixelsOf(dst), std::vector<uint32_t>(4, kBlue));
}

TEST(Stretch, HonoursTheClipRegionAndRasterOperation)
{
    Picture src = MakeFilled(1, 1, kRed);
    Picture dst = Target(3, 3, kColorOnColor, 0);
    const Region clip = Region::FromRect(1, 0, 3, 2);
    dst.SelectClipRgn(&clip);
    dst.StretchBlt(0, 0, 3, 3, src, 0, 0, 1, 1, RasterOp::SrcPaint);
    EXPECT_EQ(Mask(dst, kRed), ".##\n.##\n...\n");
}

TEST(StretchDraw, UsesHalftoneAndRestoresTheMode)
{
    Picture src = Row({0, 100});
    Picture dst = Target(1, 1, kColorOnColor);
    src.StretchDraw(0, 0, 1, 1, dst);
    EXPECT_EQ(PixelsOf(dst), std::vector<uint32_t>(1, 50));
    EXPECT_EQ(dst.GetStretchBltMode(), kColorOnColor);
}

TEST(Stretch, OntoItselfReadsTheOriginal)
{
    Picture p = MakeNumbered(4, 1);
    p.SetStretchBltMode(kColorOnColor);
    p.StretchBlt(0, 0, 4, 1, p, 0, 0, 2, 1);
    EXPECT_EQ(PixelsOf(p), (std::vector<uint32_t>{1, 1, 2, 2}));
}

// The filtered stretch's pixels, pinned down on noise for shapes that take every way of making them: near the
// source's size (runs of two and three pixels), a third smaller, a strong reduction (long runs), rows only,
// columns only, an enlargement, both at once, a narrow column. Large ones share their rows between two threads;
// rows are made wide (AVX-512 or AVX2) where the processor can, with SSE2 otherwise, and through a line where a
// clip stands between. Every way gives the same pixels, the ones the stretch has always given.
TEST(StretchHalftone, EveryWayOfMakingTheRowsGivesTheSamePixels)
{
    const Picture src = Noise(997, 613);
    struct Case {
        int w, h;
        uint64_t digest;
    } cases[] = {{950, 600, 0xd9756f8679208f47ull},  {640, 400, 0xee75a8373e6a3841ull},
                 {97, 61, 0x8aa9dade683a39ecull},    {997, 300, 0x4ec420756dadb521ull},
                 {500, 613, 0xb1c8e882e80128a0ull},  {1994, 1226, 0xa5ef27caa2c60a93ull},
                 {1500, 200, 0x0bf5a47705356930ull}, {31, 613, 0x2bb2cde42cf1b8d4ull}};
    enum Way { kWidest, kAvx2, kNarrow, kClipped };
    for (const Case& c : cases)
        for (Way way : {kWidest, kAvx2, kNarrow, kClipped}) {
            Picture dst = Target(c.w, c.h, kHalftone);
            const Region all = Region::FromRect(0, 0, c.w, c.h);
            if (way == kClipped)
                dst.SelectClipRgn(&all);
            UseWidestRows(way != kAvx2);
            UseWideRows(way != kNarrow);
            dst.StretchBlt(0, 0, c.w, c.h, src, 0, 0, 997, 613);
            UseWideRows(true);
            UseWidestRows(true);
            EXPECT_EQ(Digest(dst), c.digest) << c.w << "x" << c.h << " way " << way;
        }
}

// A large filtered stretch makes every row itself where no second thread can be had, to the same pixels; a second
// thread that runs out of memory hands that to the caller.
TEST(StretchHalftone, SecondThreadMissingOrFailing)
{
    const Picture src = Noise(997, 613);
    Picture shared = Target(950, 600, kHalftone), alone = Target(950, 600, kHalftone);
    shared.StretchBlt(0, 0, 950, 600, src, 0, 0, 997, 613);
    {
        SecondThreadHook hook(&SecondThreadHook::NoThread);
        alone.StretchBlt(0, 0, 950, 600, src, 0, 0, 997, 613);
    }
    EXPECT_EQ(Digest(alone), Digest(shared));
    if (!SecondThread::Worthwhile())
        GTEST_SKIP() << "one processor: stretches make their rows on one thread";
    SecondThreadHook hook(&SecondThreadHook::OutOfMemory);
    EXPECT_THROW(alone.StretchBlt(0, 0, 950, 600, src, 0, 0, 997, 613), std::bad_alloc);
}

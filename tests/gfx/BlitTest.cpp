#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/AlternatePixels.h"
#include "gfx/PixelCompare.h"
#include "gfx/PixelFill.h"
#include "support/PictureTestUtil.h"
#include "support/SecondThreadHook.h"

namespace {
constexpr uint32_t Z = 0; // untouched destination pixel
}

TEST(BitBlt, CopiesTheRectangleToItsPlace)
{
    Picture src = MakeNumbered(4, 4);
    Picture dst = MakeFilled(4, 3, Z);
    dst.BitBlt(1, 1, 2, 2, src, 2, 1);
    EXPECT_EQ(PixelsOf(dst),
              (std::vector<uint32_t>{Z, Z, Z, Z,   //
                                     Z, 19, 20, Z, //
                                     Z, 35, 36, Z}));
}

TEST(BitBlt, PartsOutsideEitherPictureAreSkippedInPlace)
{
    Picture src = MakeNumbered(2, 2);
    Picture dst = MakeFilled(3, 3, Z);
    // Source rectangle starts left of and above the source: only the part inside is copied, and it keeps
    // its position relative to the destination origin.
    dst.BitBlt(0, 0, 3, 3, src, -1, -1);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{Z, Z, Z, Z, 1, 2, Z, 17, 18}));

    Picture dst2 = MakeFilled(2, 2, Z);
    dst2.BitBlt(-1, 1, 2, 2, src, 0, 0); // left and bottom cut by the destination
    EXPECT_EQ(PixelsOf(dst2), (std::vector<uint32_t>{Z, Z, 2, Z}));

    Picture dst3 = MakeFilled(2, 2, Z);
    dst3.BitBlt(5, 5, 2, 2, src, 0, 0);
    dst3.BitBlt(0, 0, 2, 2, src, 7, 0);
    EXPECT_EQ(PixelsOf(dst3), std::vector<uint32_t>(4, Z));
}

TEST(BitBlt, ZeroAndNegativeExtents)
{
    Picture src = MakeNumbered(4, 1);
    Picture dst = MakeFilled(4, 1, Z);
    dst.BitBlt(0, 0, 0, 1, src, 0, 0);
    dst.BitBlt(0, 0, 4, 0, src, 0, 0);
    EXPECT_EQ(PixelsOf(dst), std::vector<uint32_t>(4, Z));
    // A negative width covers the origin and the pixels left of it, in both pictures, without mirroring.
    dst.BitBlt(3, 0, -2, 1, src, 3, 0);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{Z, Z, 3, 4}));
}

TEST(BitBlt, ExtremeCoordinatesDoNotOverflow)
{
    Picture src = MakeNumbered(2, 2);
    Picture dst = MakeFilled(2, 2, Z);
    dst.BitBlt(INT32_MAX - 1, 0, 10, 2, src, 0, 0);
    dst.BitBlt(0, 0, INT32_MAX, 2, src, INT32_MIN, 0);
    dst.BitBlt(INT32_MIN, 0, INT32_MIN, 2, src, 0, 0);
    dst.KeyedBlt(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, src, 0, 0, 0);
    EXPECT_EQ(PixelsOf(dst), std::vector<uint32_t>(4, Z));
    dst.BitBlt(0, 0, INT32_MAX, INT32_MAX, src, 0, 0); // a huge rectangle copies what there is
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{1, 2, 17, 18}));
    Picture dst2 = MakeFilled(2, 2, Z);
    dst2.StretchBlt(INT32_MAX, 0, INT32_MIN, 2, src, INT32_MIN, 0, INT32_MAX, 2);
    dst2.StretchBlt(0, 0, 2, 2, src, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
}

TEST(BitBlt, EmptyPicturesAreIgnored)
{
    Picture empty;
    Picture p = MakeNumbered(2, 2);
    p.BitBlt(0, 0, 2, 2, empty, 0, 0);
    empty.BitBlt(0, 0, 2, 2, p, 0, 0);
    p.Draw(0, 0, empty);
    empty.Draw(0, 0, p);
    EXPECT_EQ(PixelsOf(p), (std::vector<uint32_t>{1, 2, 17, 18}));
    EXPECT_FALSE(empty.IsLoaded());
}

TEST(BitBlt, OverlappingCopyWithinOnePictureReadsTheOriginal)
{
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            Picture p = MakeNumbered(4, 4);
            Picture expected = MakeNumbered(4, 4);
            Picture original = MakeNumbered(4, 4);
            expected.BitBlt(1 + dx, 1 + dy, 3, 3, original, 1, 1);
            p.BitBlt(1 + dx, 1 + dy, 3, 3, p, 1, 1);
            EXPECT_EQ(PixelsOf(p), PixelsOf(expected)) << dx << "," << dy;
        }
    }
}

TEST(BitBlt, RasterOperations)
{
    Picture src = MakePicture(2, 1, {0x0F0F0F, 0xFF00FF});
    auto run = [&](RasterOp rop) {
        Picture dst = MakePicture(2, 1, {0x00FF00, 0x123456});
        dst.BitBlt(0, 0, 2, 1, src, 0, 0, rop);
        return PixelsOf(dst);
    };
    EXPECT_EQ(run(RasterOp::SrcCopy), (std::vector<uint32_t>{0x0F0F0F, 0xFF00FF}));
    EXPECT_EQ(run(RasterOp::SrcAnd), (std::vector<uint32_t>{0x000F00, 0x120056}));
    EXPECT_EQ(run(RasterOp::SrcPaint), (std::vector<uint32_t>{0x0FFF0F, 0xFF34FF}));
    EXPECT_EQ(run(RasterOp::SrcInvert), (std::vector<uint32_t>{0x0FF00F, 0xED34A9}));
    EXPECT_EQ(run(RasterOp::DstInvert), (std::vector<uint32_t>{0xFF00FF, 0xEDCBA9}));
    EXPECT_EQ(run(RasterOp::NotSrcCopy), (std::vector<uint32_t>{0xF0F0F0, 0x00FF00}));
    EXPECT_EQ(run(RasterOp::SrcErase), (std::vector<uint32_t>{0x0F000F, 0xED00A9}));
    EXPECT_EQ(run(RasterOp::Blackness), (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(run(RasterOp::Whiteness), (std::vector<uint32_t>{0xFFFFFF, 0xFFFFFF}));
}

TEST(BitBlt, ClipRegionLimitsTheCopy)
{
    Picture src = MakeFilled(4, 4, kRed);
    Picture dst = MakeFilled(4, 4, Z);
    Region clip = Region::FromRect(0, 0, 2, 4);
    clip.Combine(Region::FromRect(0, 3, 4, 4), RegionOp::Or);
    dst.SelectClipRgn(&clip);
    clip = Region(); // the picture keeps its own copy
    dst.BitBlt(1, 1, 3, 3, src, 0, 0);
    EXPECT_EQ(Mask(dst, kRed),
              "....\n"
              ".#..\n"
              ".#..\n"
              ".###\n");
    dst.SelectClipRgn(nullptr);
    dst.BitBlt(0, 0, 4, 4, src, 0, 0);
    EXPECT_EQ(Mask(dst, kRed), "####\n####\n####\n####\n");
}

TEST(Draw, DrawsTheWholePictureAt)
{
    Picture src = MakeNumbered(2, 2);
    Picture dst = MakeFilled(3, 3, Z);
    src.Draw(1, 1, dst);
    EXPECT_EQ(PixelsOf(dst), (std::vector<uint32_t>{Z, Z, Z, Z, 1, 2, Z, 17, 18}));
}

TEST(DrawTransparent, PixelOneOneIsTheKeyWhereverItsColourLies)
{
    const uint32_t W = kWhite, R = kRed;
    Picture src = MakePicture(3, 3,
                              {W, R, W, //
                               R, W, R, //
                               W, W, R});
    Picture dst = MakeFilled(4, 4, kBlue);
    EXPECT_EQ(src.DrawTransparent(dst, 1, 0), 1);
    EXPECT_EQ(Mask(dst, kBlue),
              "##.#\n"
              "#.#.\n"
              "###.\n"
              "####\n");
    EXPECT_EQ(Mask(dst, kRed),
              "..#.\n"
              ".#.#\n"
              "...#\n"
              "....\n");
}

TEST(DrawTransparent, TooSmallForAKeyDrawsOpaque)
{
    Picture src = MakeFilled(1, 3, kWhite);
    Picture dst = MakeFilled(2, 3, kBlue);
    src.DrawTransparent(dst, 1, 0);
    EXPECT_EQ(Mask(dst, kWhite), ".#\n.#\n.#\n");
    Picture empty;
    EXPECT_EQ(empty.DrawTransparent(dst, 0, 0), 1);
}

TEST(DrawTransparent, StretchedKeyComesFromTheStretchedCopy)
{
    // White top-left block, red elsewhere: pixel (1, 1) of the doubled copy is white, so the white area
    // stays transparent and the red area is drawn.
    std::vector<uint32_t> px(16, kRed);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            px[y * 4 + x] = kWhite;
    Picture src = MakePicture(4, 4, px);
    Picture dst = MakeFilled(10, 10, kBlue);
    src.StretchDrawTransparent(dst, 1, 1, 8, 8);
    EXPECT_EQ(dst.Row(0)[0], kBlue);
    EXPECT_EQ(dst.Row(1)[1], kBlue);
    EXPECT_EQ(dst.Row(4)[4], kBlue);
    EXPECT_EQ(dst.Row(8)[8], kRed);
    EXPECT_EQ(dst.Row(1)[8], kRed);
    EXPECT_EQ(dst.Row(9)[9], kBlue); // outside the drawn rectangle
    EXPECT_EQ(dst.GetStretchBltMode(), kBlackOnWhite);
}

// Every other pixel of a run is copied, the ones between kept, and nothing past the last wanted pixel is read
// or written (the runs here end exactly there).
TEST(CopyAlternatePixels, CopiesTheEvenPixelsOfARunAndNothingElse)
{
    for (int count = 0; count <= 9; ++count) {
        const size_t size = count > 0 ? static_cast<size_t>(2 * count - 1) : 0;
        std::vector<uint32_t> from(size), to(size);
        for (size_t i = 0; i < size; ++i) {
            from[i] = 0x100000u + static_cast<uint32_t>(i);
            to[i] = 0x200000u + static_cast<uint32_t>(i);
        }
        CopyAlternatePixels(to.data(), from.data(), count);
        for (size_t i = 0; i < size; ++i)
            EXPECT_EQ(to[i], (i % 2 ? 0x200000u : 0x100000u) + i) << count << " at " << i;
    }
}

TEST(FillPixels, FillsTheRunAndNothingAroundIt)
{
    for (int count = 0; count <= 19; ++count) {
        std::vector<uint32_t> line(static_cast<size_t>(count) + 2, 7u);
        FillPixels(line.data() + 1, count, 0x123456u);
        EXPECT_EQ(line.front(), 7u);
        EXPECT_EQ(line.back(), 7u);
        EXPECT_EQ(std::count(line.begin(), line.end(), 0x123456u), count);
    }
}

TEST(SameColours, FindsAColourDifferenceAnywhereAndIgnoresTheFourthByte)
{
    for (int count = 0; count <= 19; ++count) {
        const std::vector<uint32_t> a(static_cast<size_t>(count), 0x00123456u);
        EXPECT_TRUE(SameColours(a.data(), a.data(), count));
        for (int at = 0; at < count; ++at) {
            std::vector<uint32_t> b = a;
            b[static_cast<size_t>(at)] ^= 0xFF000000u;
            EXPECT_TRUE(SameColours(a.data(), b.data(), count)) << count << " " << at;
            b[static_cast<size_t>(at)] ^= 0x00010000u;
            EXPECT_FALSE(SameColours(a.data(), b.data(), count)) << count << " " << at;
        }
    }
}

TEST(BitBlt, ASlideSizedBlockCopiedOnTwoThreadsOrOneIsTheSame)
{
    // Large enough for both cores to take half the rows each, shifted and cut at the destination's edges.
    Picture src = MakeNumbered(2400, 2000);
    for (bool threads : {true, false}) {
        SecondThreadHook hook(threads ? nullptr : &SecondThreadHook::NoThread);
        Picture dst = MakeFilled(2300, 2001, Z);
        dst.BitBlt(-3, 2, 2400, 2000, src, 0, 0);
        bool same = true;
        for (int y = 0; y < 2001 && same; ++y)
            for (int x = 0; x < 2300 && same; ++x)
                same = dst.Row(y)[x] == (y >= 2 ? src.Row(y - 2)[x + 3] : Z);
        EXPECT_TRUE(same) << "threads " << threads;
    }
}

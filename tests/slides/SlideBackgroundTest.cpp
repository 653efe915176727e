#include <gtest/gtest.h>

#include <limits>

#include "gfx/Picture.h"
#include "model/MediaSettingsRecord.h"
#include "slides/SlideBackground.h"
#include "support/SequenceRandom.h"
#include "support/SlideTestProject.h"

namespace {

using Off = MediaSettingsRecord::Offset;

Picture Blank(int w, int h, Colorref colour)
{
    Picture p;
    p.CreateBlank(w, h, colour);
    return p;
}

int CountColour(const Picture& p, Colorref c, Rect r)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += p.GetPixel(x, y) == c ? 1 : 0;
    return n;
}

TEST(BackgroundPalette, SolidColoursAndTwelveGradientPairs)
{
    const auto& p = SlideBackground::kPalette;
    EXPECT_EQ(p.size(), 36u);
    EXPECT_EQ(p[0], 0x000000u);
    EXPECT_EQ(p[4], 0x0000FFu);
    EXPECT_EQ(p[12], 0xFFFFFFu); // last solid colour and first gradient colour at once
    EXPECT_EQ(p[13], 0x00FFFFu);
    EXPECT_EQ(p[23], 0x008000u);
    EXPECT_EQ(p[24], 0x0080FFu);
    EXPECT_EQ(p[35], 0xFFFF00u);
}

TEST(BackgroundGradient, StyleZeroDrawsRedValuesDownTheRows)
{
    SlideBackground painter;
    Picture target = Blank(3, 255, 0x123456);
    painter.DrawGradient(0x000000, 0x0000FF, 0, target);
    for (int y = 0; y < 255; ++y) {
        ASSERT_EQ(target.GetPixel(0, y), static_cast<Colorref>(y)) << y;
        ASSERT_EQ(target.GetPixel(2, y), static_cast<Colorref>(y)) << y;
    }
}

TEST(BackgroundGradient, StyleFourOnFivePixelsGivesThreeColumnsOfBands)
{
    SlideBackground painter;
    Picture target = Blank(5, 2, 0x123456);
    painter.DrawGradient(0x000000, 0x0000FF, 4, target);
    EXPECT_EQ(target.GetPixel(0, 0), 0u);
    EXPECT_EQ(target.GetPixel(4, 1), 0u);
    EXPECT_EQ(target.GetPixel(1, 0), 102u);
    EXPECT_EQ(target.GetPixel(3, 0), 102u);
    EXPECT_EQ(target.GetPixel(2, 1), 204u);
}

TEST(BackgroundGradient, EllipseStyleLeavesCornersInTheFillColour)
{
    SlideBackground painter;
    Picture target = Blank(40, 20, 0x123456);
    painter.DrawGradient(0x0000FF, 0x00FF00, 10, target);
    EXPECT_EQ(target.GetPixel(0, 0), 0x00FF00u); // outside every ellipse: the second colour
    EXPECT_EQ(target.GetPixel(39, 19), 0x00FF00u);
    EXPECT_NE(target.GetPixel(20, 10), 0x123456u); // the centre is covered
    EXPECT_EQ(CountColour(target, 0x123456, target.GetRect()), 0);
}

TEST(BackgroundTiles, TileSizeRules)
{
    EXPECT_EQ(BackgroundTileSize(1024, 3, 100, 50), (Size{341, 170}));
    EXPECT_EQ(BackgroundTileSize(320, 200, 10, 10), (Size{16, 16})); // never narrower than 16
    EXPECT_EQ(BackgroundTileSize(100, 0, 10, 10), (Size{100, 100})); // a count of 0 counts as 1
    EXPECT_EQ(BackgroundTileSize(100, -4, 10, 10), (Size{100, 100}));
    EXPECT_EQ(BackgroundTileSize(100, 1, 1000, 1), (Size{100, 0})); // too wide: no height
    // 1024 x 4194305 is 2^32 + 1024: the height must not wrap round to 1024.
    EXPECT_EQ(BackgroundTileSize(1024, 1, 1, 4194305).cy, std::numeric_limits<int>::max());
}

TEST(BackgroundTiles, TilePictureRepeatsAndCutsAtTheEdges)
{
    SlideBackground painter;
    Picture target = Blank(10, 5, 0);
    Picture tile = Blank(4, 2, 0x0000FF);
    tile.SetPixel(1, 0, 0x00FF00);
    painter.TilePicture(target, tile);
    EXPECT_EQ(CountColour(target, 0x00FF00, target.GetRect()), 9); // 3 columns x 3 rows of tiles
    EXPECT_EQ(target.GetPixel(9, 4), 0x00FF00u);
    EXPECT_EQ(target.GetPixel(8, 4), 0x0000FFu);
    EXPECT_EQ(CountColour(target, 0, target.GetRect()), 0);
}

TEST(BackgroundPicturePlacement, CentreShowsSmallPictureAtItsOwnSizeOnBlack)
{
    SlideBackground painter;
    Picture target = Blank(10, 8, 0xFFFFFF);
    Picture picture = Blank(4, 2, 0x0000FF);
    painter.DrawBackgroundPicture(target, 1, 0, picture, false);
    EXPECT_EQ(CountColour(target, 0x0000FF, Rect{3, 3, 7, 5}), 8);
    EXPECT_EQ(CountColour(target, 0x000000, target.GetRect()), 80 - 8);
}

TEST(BackgroundPicturePlacement, CentreShrinksLargePictureKeepingAspect)
{
    SlideBackground painter;
    Picture target = Blank(20, 10, 0xFFFFFF);
    Picture picture = Blank(40, 40, 0x0000FF);
    painter.DrawBackgroundPicture(target, 1, 0, picture, false);
    EXPECT_EQ(CountColour(target, 0x0000FF, target.GetRect()), 100);
    EXPECT_EQ(CountColour(target, 0x0000FF, Rect{5, 0, 15, 10}), 100);
}

TEST(BackgroundPicturePlacement, StretchCoversTheTarget)
{
    SlideBackground painter;
    Picture target = Blank(20, 10, 0xFFFFFF);
    Picture picture = Blank(3, 3, 0x00FF00);
    painter.DrawBackgroundPicture(target, 0, 0, picture, false);
    EXPECT_EQ(CountColour(target, 0x00FF00, target.GetRect()), 200);
}

TEST(BackgroundPicturePlacement, TilesWithCountRandomCountAndDegenerateSettings)
{
    Picture picture = Blank(8, 4, 0x00FF00);
    picture.SetPixel(0, 0, 0x0000FF);
    {
        SlideBackground painter;
        Picture target = Blank(64, 16, 0);
        painter.DrawBackgroundPicture(target, 2, 2, picture, false); // tiles 32 x 16
        EXPECT_EQ(target.GetPixel(0, 0), 0x0000FFu);
        EXPECT_EQ(target.GetPixel(32, 0), 0x0000FFu);
        EXPECT_EQ(target.GetPixel(16, 0), 0x00FF00u);
    }
    {
        SlideBackground painter;
        Picture target = Blank(64, 16, 0);
        painter.DrawBackgroundPicture(target, 2, 0, picture, false); // count 0: one tile across
        EXPECT_EQ(target.GetPixel(0, 0), 0x0000FFu);
        EXPECT_EQ(target.GetPixel(32, 0), 0x00FF00u);
        EXPECT_EQ(CountColour(target, 0, target.GetRect()), 0);
    }
    {
        SlideBackground painter;
        Picture wide = Blank(1000, 1, 0x00FF00);
        Picture target = Blank(64, 16, 0x123456);
        painter.DrawBackgroundPicture(target, 2, 1, wide, false); // tile height 0: nothing drawn
        EXPECT_EQ(CountColour(target, 0x123456, target.GetRect()), 64 * 16);
    }
    {
        SlideBackground painter;
        Picture target = Blank(64, 16, 0x123456);
        painter.DrawBackgroundPicture(target, 7, 1, picture, false); // unknown placement
        EXPECT_EQ(CountColour(target, 0x123456, target.GetRect()), 64 * 16);
    }
}

TEST(BackgroundPicturePlacement, TileTallerThanTheTargetShowsItsTop)
{
    // 8 x 64 with a different red in every row, 32 across: a 32 x 256 tile of which 16 rows show.
    Picture picture = Blank(8, 64, 0);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 8; ++x)
            picture.SetPixel(x, y, static_cast<Colorref>(y * 4));
    Picture full = Blank(32, 256, 0);
    picture.StretchDraw(0, 0, 32, 256, full);
    SlideBackground painter;
    Picture target = Blank(32, 16, 0x123456);
    painter.DrawBackgroundPicture(target, 2, 1, picture, false);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(target.GetPixel(x, y), full.GetPixel(x, y)) << x << "," << y;

    // A strip whose whole tile (64 x 19200000) could never be made still shows its top.
    Picture strip = Blank(1, 300000, 0x00FF00);
    Picture tall = Blank(64, 16, 0x123456);
    painter.DrawBackgroundPicture(tall, 2, 1, strip, false);
    EXPECT_EQ(CountColour(tall, 0x00FF00, tall.GetRect()), 64 * 16);
}

// Painting a whole background from a media item's settings.
class BackgroundPaintTest : public ::testing::Test {
protected:
    SlideTestItem& Item() { return project.items.front(); }
    void SetUp() override { project.items.emplace_back(); }
    void Paint(std::vector<int> randomValues)
    {
        random = std::make_unique<SequenceRandom>(std::move(randomValues));
        ASSERT_TRUE(project.Open(*random));
        painter.SetTarget(&target);
        painter.SetMediaTable(&project.Media());
        painter.SetDatabase(&project.db);
        painter.SetSnapshotFolder(project.dir.File(""));
        painter.Bind(project.settings.get(), &project.info, nullptr);
        painter.PaintBackground();
    }

    SlideTestProject project;
    std::unique_ptr<SequenceRandom> random;
    SlideBackground painter;
    Picture target = Blank(32, 16, 0x123456);
};

TEST_F(BackgroundPaintTest, NoKindAllowedGivesTheSolidColour)
{
    Item().SetI32(Off::kBackgroundColour, 0x00336699);
    Paint({5});
    EXPECT_EQ(CountColour(target, 0x336699, target.GetRect()), 32 * 16);
}

TEST_F(BackgroundPaintTest, RandomSolidColourComesFromTheFirstThirteenEntries)
{
    Item().SetFlag(Off::kBackgroundSolid, true);
    Item().SetFlag(Off::kPresetColour, true);
    Paint({0, 13 + 4}); // kind 0, then entry 17 % 13 = 4
    EXPECT_EQ(target.GetPixel(5, 5), 0x0000FFu);
}

TEST_F(BackgroundPaintTest, RandomGradientPairNeverRunsPastThePalette)
{
    Item().SetFlag(Off::kBackgroundGradient, true);
    Item().SetFlag(Off::kPresetGradient, true);
    Item().gradients = "0;";
    Paint({0, 0, 12}); // kind, style, pair: 12 % 12 = pair 0 (white to 0x0080FF)
    EXPECT_EQ(target.GetPixel(0, 0), 0xFFFFFFu);
    const Colorref bottom = target.GetPixel(0, 15);
    EXPECT_EQ(bottom & 0xFF, 0xFFu);
    EXPECT_LT((bottom >> 16) & 0xFF, 0x20u); // blue almost gone toward 0x0080FF
}

// The previous slide's background must not stay under the new title.
TEST_F(BackgroundPaintTest, GradientWithoutStylesLeavesBlack)
{
    Item().SetFlag(Off::kBackgroundGradient, true);
    Item().SetI32(Off::kGradientColour1, 0xFF);
    Paint({0, 0});
    EXPECT_EQ(CountColour(target, 0, target.GetRect()), 32 * 16);
}

TEST_F(BackgroundPaintTest, DesktopSnapshotMissingGivesBlack)
{
    Item().SetFlag(Off::kBackgroundPicture, true);
    Item().SetFlag(Off::kSourceDesktop, true);
    Paint({0, 0});
    EXPECT_EQ(CountColour(target, 0, target.GetRect()), 32 * 16);
}

TEST_F(BackgroundPaintTest, DesktopSnapshotIsDrawnUnscaledInTheCorner)
{
    Item().SetFlag(Off::kBackgroundPicture, true);
    Item().SetFlag(Off::kSourceDesktop, true);
    project.dir.Write("kadodsk.bmp", SolidBmp(10, 4, 0x00FF00));
    Paint({0, 0});
    EXPECT_EQ(CountColour(target, 0x00FF00, Rect{0, 0, 10, 4}), 40);
    EXPECT_EQ(CountColour(target, 0x123456, target.GetRect()), 32 * 16 - 40);
}

TEST_F(BackgroundPaintTest, PictureWithoutSourceTakesAProjectImage)
{
    Item().SetFlag(Off::kBackgroundPicture, true);
    Item().SetI32(Off::kPlacement, 0);
    Item().fileName = "C:\\show\\Leaf.BMP";
    project.SetProjectI32(ProjectOptions::kMediaInDatabase, 1);
    project.media.push_back({"c:\\show\\leaf.bmp", SolidBmp(4, 4, 0x0000FF)});
    SlideTestItem video;
    video.SetI32(Off::kMediaType, MediaKind::kVideo);
    video.fileName = "clip.avi";
    project.items.push_back(video);
    Paint({0, 0, 0});
    EXPECT_EQ(CountColour(target, 0xFF0000, target.GetRect()), 32 * 16); // COLORREF of pure blue pixels
}

TEST_F(BackgroundPaintTest, ProjectWithoutImagesGivesBlack)
{
    Item().SetFlag(Off::kBackgroundPicture, true);
    Item().SetFlag(Off::kSourceImage, true);
    Item().SetI32(Off::kMediaType, MediaKind::kVideo);
    Paint({0, 0, 0});
    EXPECT_EQ(CountColour(target, 0, target.GetRect()), 32 * 16);
}

TEST_F(BackgroundPaintTest, SelectedBackgroundComesFromTheMediaTableByItsFileName)
{
    Item().SetFlag(Off::kBackgroundPicture, true);
    Item().SetFlag(Off::kSourceSelected, true);
    Item().SetI32(Off::kPlacement, 0);
    Item().selectedBackgrounds = "1;";
    project.SetProjectI32(ProjectOptions::kMediaInDatabase, 1);
    project.backImages = {"C:\\bg\\other.bmp", "C:\\Backgrounds\\Sky.BMP"};
    project.media.push_back({"sky.bmp", SolidBmp(2, 2, 0x00FF00)});
    Paint({0, 0, 0});
    EXPECT_EQ(CountColour(target, 0x00FF00, target.GetRect()), 32 * 16);
}

TEST_F(BackgroundPaintTest, SelectedBackgroundOutsideTheTableGivesBlack)
{
    Item().SetFlag(Off::kBackgroundPicture, true);
    Item().SetFlag(Off::kSourceSelected, true);
    Item().selectedBackgrounds = "5;";
    project.backImages = {"a.bmp"};
    Paint({0, 0, 0});
    EXPECT_EQ(CountColour(target, 0, target.GetRect()), 32 * 16);
}

} // namespace

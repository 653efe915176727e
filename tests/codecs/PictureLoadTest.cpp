// Pictures loaded from database streams and files: decoder choice by name, the temporary copy, and
// what a failed load leaves behind.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "codecs/BuiltinExpic.h"
#include "codecs/PictureLoad.h"
#include "db/MemoryFile.h"
#include "gfx/Picture.h"
#include "platform/Paths.h"
#include "support/DecodeTestSupport.h"
#include "support/TempDir.h"

using namespace Samples;

namespace {

MemoryFile StreamOf(const std::vector<uint8_t>& bytes)
{
    MemoryFile stream;
    EXPECT_TRUE(stream.Write(bytes.data(), bytes.size()));
    return stream;
}

// A loaded 2 x 3 picture, to see that failed loads leave it alone.
void MakeLoaded(Picture& picture)
{
    ASSERT_EQ(picture.CreateBlank(2, 3, 0x123456), 1);
}

void ExpectUnchanged(const Picture& picture)
{
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Height(), 3);
}

} // namespace

TEST(PictureLoad, UnknownNamesFromAStreamDecodeWithoutLeavingAFile)
{
    // A temporary folder of the test's own: in the system's, programs running beside the test come and go.
    TempDir own;
    SetTempDirectory((own.Path() / "").string());
    struct Restore {
        ~Restore() { SetTempDirectory(""); }
    } restore;
    auto png = Read("pattern.png");
    auto stream = StreamOf(png);
    stream.Seek(5); // loading starts at the beginning, wherever the stream stood
    Picture picture;
    ASSERT_EQ(LoadFromStream(picture, stream, "holiday.xyz"), 1);
    EXPECT_TRUE(Matches(picture.ToDecoded(), PatternColour));
    auto tga = StreamOf(Read("pattern.tga"));
    ASSERT_EQ(LoadFromStream(picture, tga, "x.tga"), 1);
    EXPECT_TRUE(Matches(picture.ToDecoded(), PatternColour));
    EXPECT_TRUE(std::filesystem::is_empty(own.Path()));
}

// Two shows decoding at once (two previews, a render beside a show) must each get their own picture.
TEST(PictureLoad, DecodesAtOnceGetTheirOwnPictures)
{
    const auto png = Read("pattern.png");
    const auto pgm = Read("grey.pgm");
    std::atomic<int> wrong{0};
    auto decodeMany = [&](const std::vector<uint8_t>& bytes, const char* name, uint32_t (*colour)(int, int)) {
        for (int i = 0; i < 40; ++i) {
            auto stream = StreamOf(bytes);
            Picture picture;
            if (LoadFromStream(picture, stream, name) != 1 || !Matches(picture.ToDecoded(), colour))
                ++wrong;
        }
    };
    std::thread a(decodeMany, std::cref(png), "a.png", PatternColour);
    std::thread b(decodeMany, std::cref(pgm), "b.pgm", GreyColour);
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

#if !defined(_WIN32)
// The name the decoder's copy once had, planted as a link to another file: nothing writes through it.
TEST(PictureLoad, LinkAtTheOldTemporaryNameIsNotFollowed)
{
    TempDir dir;
    const std::string target = dir.Write("victim.txt", "keep me");
    const std::string planted = TempDirectory() + "imgtemp";
    std::error_code ec;
    std::filesystem::remove(planted, ec);
    std::filesystem::create_symlink(target, planted, ec);
    auto stream = StreamOf(Read("pattern.png"));
    Picture picture;
    EXPECT_EQ(LoadFromStream(picture, stream, "holiday.png"), 1);
    EXPECT_EQ(TempDir::Read(target), "keep me");
    std::filesystem::remove(planted, ec);
}
#endif

TEST(PictureLoad, SystemDecoderNamesOnlyTakeWhatItReads)
{
    // "a.bmp.pcx" is a BMP name: PCX bytes under it are rejected and the picture stays as it was.
    auto pcx = StreamOf(Read("pattern.pcx"));
    Picture picture;
    MakeLoaded(picture);
    EXPECT_EQ(LoadFromStream(picture, pcx, "a.bmp.pcx"), 0);
    ExpectUnchanged(picture);
    // The system decoder looks at the bytes, not the name: a GIF named .jpg loads.
    auto gif = StreamOf(Read("pattern.gif"));
    ASSERT_EQ(LoadFromStream(picture, gif, "photo.jpg"), 1);
    EXPECT_TRUE(Matches(picture.ToDecoded(), PatternColour));
}

TEST(PictureLoad, EmptyAndCorruptStreamsFail)
{
    Picture picture;
    MakeLoaded(picture);
    MemoryFile empty;
    EXPECT_EQ(LoadFromStream(picture, empty, "a.jpg"), 0);
    EXPECT_EQ(LoadFromStream(picture, empty, "a.png"), 0);
    auto garbage = StreamOf(std::vector<uint8_t>(300, 0x5A));
    EXPECT_EQ(LoadFromStream(picture, garbage, "a.gif"), 0);
    EXPECT_EQ(LoadFromStream(picture, garbage, "a.png"), 0);
    ExpectUnchanged(picture);
    Picture fresh;
    EXPECT_EQ(LoadFromStream(fresh, garbage, "a.bmp"), 0);
    EXPECT_FALSE(fresh.IsLoaded());
    EXPECT_EQ(fresh.Width(), -1);
}

TEST(PictureLoad, FilesThatCannotBeReadFail)
{
    TempDir dir;
    Picture picture;
    MakeLoaded(picture);
    EXPECT_EQ(LoadFromFile(picture, dir.File("missing.bmp")), 0);
    EXPECT_EQ(LoadFromFile(picture, dir.File("missing.png")), 0);
    EXPECT_EQ(LoadFromFile(picture, dir.Write("empty.jpg", "")), 0);
    EXPECT_EQ(LoadFromFile(picture, dir.Write("empty.tga", "")), 0);
    EXPECT_EQ(LoadFromFile(picture, dir.Path().string()), 0); // a folder
    ExpectUnchanged(picture);
}

TEST(PictureLoad, PathsTooLongForTheLibraryBufferFail)
{
    TempDir dir;
    auto png = Read("pattern.png");
    std::string shortPath = dir.Write("p.png", std::string(png.begin(), png.end()));
    Picture picture;
    EXPECT_EQ(LoadFromFile(picture, shortPath), 1);
    // Padding the path with "./" keeps the file but passes 260 characters.
    std::string longPath = dir.Path().string();
    while (longPath.size() < 262)
        longPath += "/.";
    longPath += "/p.png";
    Picture other;
    EXPECT_EQ(LoadFromFile(other, longPath), 0);
    EXPECT_FALSE(other.IsLoaded());
}

TEST(PictureLoad, SavedBitmapFilesLoadBack)
{
    TempDir dir;
    Picture picture;
    ASSERT_EQ(LoadFromFile(picture, Path("pattern.png")), 1);
    std::string path = dir.File("kadodsk.bmp");
    dir.Write("kadodsk.bmp", std::string(5000, 'x')); // an older, larger file is replaced
    EXPECT_EQ(picture.SaveAsBitmapFile(path), 1);
    EXPECT_EQ(ReadBytes(path).size(), 54u + 7 * 40);
    Picture back;
    ASSERT_EQ(LoadFromFile(back, path), 1);
    EXPECT_TRUE(Matches(back.ToDecoded(), PatternColour));
}

TEST(PictureLoad, TemporaryCopyShorterThanTheStreamIsNotDecoded)
{
    // The built-in library call reads the stream's length from the copy; a shorter copy fails.
    TempDir dir;
    auto png = Read("pattern.png");
    std::string path = dir.Write("imgtemp", std::string(png.begin(), png.end()));
    int width = 0, height = 0;
    DecodedImage* image = BuiltinLoadImageFromStream(path.c_str(), static_cast<int>(png.size()), &width, &height, 15);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(width, kWidth);
    BuiltinFreeImage(image);
    EXPECT_EQ(BuiltinLoadImageFromStream(path.c_str(), static_cast<int>(png.size()) + 1, &width, &height, 15), nullptr);
}

#include "codecs/ExtendedDecoder.h"
#include "scrpack/files/Utf8Path.h"
#include "scrpack/pictures/PictureConvert.h"
#include "support/DecodeTestSupport.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

// The Windows scrpack prepares pictures through the system's imaging component; under Wine that is Wine's own,
// which reads TIFF and JPEG but no HEIF.

using ::testing::HasSubstr;

namespace {

// A sample copied under a name outside every ANSI code page, as an author's accented or Cyrillic file names
// are: the conversion must open it by its UTF-16 name.
std::string CopyAs(const TempDir& dir, const std::string& sample, const std::string& utf8Name)
{
    const std::filesystem::path target = dir.Path() / PathFromUtf8(utf8Name);
    std::filesystem::copy_file(Samples::Path(sample), target);
    return Utf8Of(target);
}

DecodedImage DecodeFile(const std::string& utf8Path)
{
    std::ifstream in(PathFromUtf8(utf8Path), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    DecodedImage image;
    EXPECT_TRUE(DecodeExtended(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), -1, image)) << utf8Path;
    return image;
}

bool Near(uint32_t got, uint32_t want, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)) > tolerance)
            return false;
    }
    return true;
}

} // namespace

TEST(WicConvert, ReadsWhatTheRuntimeCannotAndStandsTurnedPhotosUpright)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "work");
    const std::string work = Utf8Of(dir.Path() / "work");

    // A TIFF becomes a PNG, pixel for pixel.
    const PreparedPicture tiff = ConvertPicture(CopyAs(dir, "pattern.tif", "Plage d'été Ж.tif"), work);
    EXPECT_EQ(tiff.extension, ".png");
    EXPECT_TRUE(Samples::Matches(DecodeFile(tiff.path), Samples::PatternColour));

    // A 32 x 16 JPEG whose top-left quarter is red and whose EXIF orientation is 6 is turned a quarter
    // clockwise: 16 x 32 with its top-right quarter red (a turn the other way or a mirroring puts it elsewhere).
    const PreparedPicture turned = ConvertPicture(CopyAs(dir, "quadrant-turned.jpg", "Château 日本.jpg"), work);
    EXPECT_FALSE(turned.changes.empty());
    const DecodedImage upright = DecodeFile(turned.path);
    ASSERT_EQ(upright.width, 16);
    ASSERT_EQ(upright.height, 32);
    const auto at = [&](int x, int y) { return upright.pixels[size_t(y) * upright.width + x]; };
    EXPECT_TRUE(Near(at(12, 4), 0xFF0000, 48));
    for (const auto& [x, y] : {std::pair{3, 4}, std::pair{3, 27}, std::pair{12, 27}})
        EXPECT_TRUE(Near(at(x, y), 0x0000FF, 48)) << x << "," << y;
}

TEST(WicConvert, AKindNothingHereReadsIsNamedAsSuch)
{
    TempDir dir;
    const std::string heic = dir.Write("phone.heic",
                                       std::string("\0\0\0\x18"
                                                   "ftypheic\0\0\0\0mif1heic",
                                                   24) +
                                           std::string(64, '\x5A'));
    try {
        ConvertPicture(heic, Utf8Of(dir.Path()));
        FAIL() << "converted a picture nothing here reads";
    } catch (const ConvertError& error) {
        EXPECT_THAT(error.what(), HasSubstr("no decoder for HEIF"));
        EXPECT_EQ(error.UnreadableKind(), "HEIF");
    }
}

#include "TinyPicture.h"
#include "scrpack/commands/PackCommand.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::HasSubstr;

namespace {

std::string Sample(const std::string& name)
{
    return TempDir::Read(std::string(QM_TEST_DATA_DIR) + "/images/" + name);
}

struct PictureCase {
    const char* name;
    std::string bytes;
    const char* reason; // nullptr: packs
};

class PictureCheck : public ::testing::TestWithParam<PictureCase> { };

} // namespace

TEST_P(PictureCheck, PackStopsAtAPictureThatWouldShowEmpty)
{
    const PictureCase& c = GetParam();
    TempDir dir;
    std::ostringstream err;
    dir.Write(c.name, c.bytes);
    dir.Write("show.toml",
              std::string("[[media]]\nname = \"first.bmp\"\nstored_name = \"\"\n\n[[media]]\nfile = \"") + c.name +
                  "\"\n");
    const int code = RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err);
    if (!c.reason) {
        EXPECT_EQ(code, 0) << err.str();
        return;
    }
    EXPECT_EQ(code, 1);
    EXPECT_THAT(err.str(), HasSubstr("show.toml:6: media[1].file"));
    EXPECT_THAT(err.str(), HasSubstr(c.reason));
    EXPECT_THAT(err.str(), HasSubstr(c.name));
    EXPECT_FALSE(std::filesystem::exists(dir.File("show.db")));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureCheck,
    ::testing::Values(PictureCase{"fine.jpg", Sample("pattern.jpg"), nullptr},
                      PictureCase{"fine.png", Sample("pattern.png"), nullptr},
                      PictureCase{"bitmap-named.jpg", TinyPicture(), nullptr}, // BMP data: the decoder looks
                      PictureCase{"cut.jpg", Sample("pattern.jpg").substr(0, 400), "the JPEG data does not decode"},
                      PictureCase{"cut.bmp", TinyPicture().substr(0, 64), "the BMP data does not decode"},
                      PictureCase{"header.bmp", TinyPicture().substr(0, 54), "the BMP data does not decode"},
                      PictureCase{"text.png", "just some words\n", "holds no picture the runtime can decode"},
                      // Converted first, where the damage shows.
                      PictureCase{"scan.tif", std::string("II*\0\x08\0\0\0", 8) + std::string(64, '\0'),
                                  "the TIFF data does not"},
#ifdef _WIN32
                      PictureCase{"phone.webp", std::string("RIFF\x20\0\0\0WEBPVP8L", 16) + std::string(20, 'x'),
                                  "no decoder for WebP"},
#else
                      PictureCase{"phone.webp", std::string("RIFF\x20\0\0\0WEBPVP8L", 16) + std::string(20, 'x'),
                                  "the WebP data does not decode"},
#endif
                      PictureCase{"png-named.jpg", Sample("pattern.png"),
                                  "PNG data under the name \"png-named.jpg\": names ending in .jpg are read as BMP, "
                                  "JPEG or GIF only"}));

TEST(PackChecks, PathsThatCannotServeAreNamed)
{
    TempDir dir;
    std::ostringstream err;
    dir.Write("a.jpg", TinyPicture());
    dir.Write("show.toml", "[[media]]\nfile = \"a.jpg\"\n");
    dir.Write("notes.txt", "not a program");
    dir.Write("empty.toml", "[project]\nname = \"x\"\n");
    std::filesystem::create_directories(dir.Path() / "sub");
    struct Case {
        PackOptions options;
        std::string message;
    } cases[] = {
        {{dir.File("show.toml"), dir.File("missing/out.scr"), ""},
         "the folder " + dir.File("missing") + " of the output does not exist"},
        {{dir.File("show.toml"), dir.File("sub"), ""}, dir.File("sub") + " is a folder"},
        {{dir.File("show.toml"), dir.File("o.scr"), dir.File("sub")},
         "the runtime " + dir.File("sub") + " is a folder"},
        {{dir.File("show.toml"), dir.File("o.scr"), dir.File("notes.txt")}, "is not a program"},
        {{dir.File("sub"), dir.File("o.db"), ""}, "is a folder, not a manifest"},
        {{dir.File("empty.toml"), dir.File("o.db"), ""}, "no [[media]] item; a show needs at least one"},
    };
    for (const Case& c : cases) {
        err.str("");
        EXPECT_EQ(RunPack(c.options, err), 1) << c.message;
        EXPECT_THAT(err.str(), HasSubstr(c.message));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.scr")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.db")));
}

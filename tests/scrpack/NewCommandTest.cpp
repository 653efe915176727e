#include "scrpack/commands/NewCommand.h"
#include "TinyPicture.h"
#include "scrpack/commands/CommandLineExit.h"
#include "scrpack/commands/EffectsCommand.h"
#include "scrpack/commands/PackCommand.h"
#include "scrpack/files/Utf8Path.h"
#include "scrpack/manifest/ManifestReader.h"
#include "scrpack/pictures/Exif.h"
#include "support/TempDir.h"

#include <CLI/CLI.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using ::testing::HasSubstr;

namespace {

// JPEG bytes carrying only an EXIF block with the date the photo was taken (all `new` reads of them).
std::string PhotoTakenAt(const std::string& date)
{
    std::string tiff = std::string("II*\0\x08\0\0\0\x01\0\x32\x01\x02\0\x14\0\0\0\x1a\0\0\0\0\0\0\0", 26) + date;
    tiff += '\0';
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    return std::string("\xFF\xD8\xFF\xE1") + char((body.size() + 2) >> 8) + char((body.size() + 2) & 0xFF) + body +
        "\xFF\xD9";
}

} // namespace

TEST(NewCommand, ManifestListsTheFolderSortedAndPacks)
{
    TempDir dir;
    std::ostringstream out, err;
    std::filesystem::create_directories(dir.Path() / "show");
    dir.Write("show/b_harbour-at-night.jpg", TinyPicture(1));
    dir.Write("show/a.png", TinyPicture(2));
    dir.Write("show/c.avi", "RIFF");
    dir.Write("show/song.mp3", "ID3");
    dir.Write("show/notes.txt", "not media");
    dir.Write("show/scan.tif", std::string("II*\0", 4));
    ASSERT_EQ(RunNew({dir.File("show"), "", false}, out, err), 0) << err.str();
    const std::string text = TempDir::Read(dir.File("show/manifest.toml"));
    const size_t a = text.find("\"a.png\""), b = text.find("\"b_harbour-at-night.jpg\""), c = text.find("\"c.avi\"");
    const size_t scan = text.find("\"scan.tif\"\n");
    ASSERT_NE(scan, std::string::npos) << text;
    EXPECT_TRUE(a < b && b < c && c < scan) << text;
    EXPECT_THAT(text, HasSubstr("text = \"b harbour at night\""));
    EXPECT_THAT(text, HasSubstr("\"c.avi\"\ntype = \"video\""));
    EXPECT_EQ(text.find("notes.txt"), std::string::npos);

    // Without the TIFF the manifest packs as it is.
    std::filesystem::remove(dir.File("show/scan.tif"));
    std::filesystem::remove(dir.File("show/manifest.toml"));
    ASSERT_EQ(RunNew({dir.File("show"), dir.File("show.toml"), false}, out, err), 0) << err.str();
    PackPlan plan = ReadManifest(dir.File("show.toml"));
    ASSERT_EQ(plan.items.size(), 3u);
    EXPECT_EQ(plan.items[0].texts.at("filename"), "a.png");
    EXPECT_EQ(plan.music.size(), 1u);
    EXPECT_EQ(RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err), 0) << err.str();

    // Nothing is overwritten; a folder without pictures or videos has no show.
    EXPECT_EQ(RunNew({dir.File("show"), dir.File("show.toml"), false}, out, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("already exists"));
    std::filesystem::create_directories(dir.Path() / "empty");
    EXPECT_EQ(RunNew({dir.File("empty"), "", false}, out, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("holds no picture or video"));
}

TEST(NewCommand, ByDateFollowsWhenPhotosWereTaken)
{
    TempDir dir;
    std::ostringstream out, err;
    dir.Write("a.jpg", PhotoTakenAt("2021:06:02 10:00:00"));
    dir.Write("b.jpg", PhotoTakenAt("2019:12:31 23:59:59"));
    dir.Write("c.jpg", PhotoTakenAt("2021:06:02 09:59:59"));
    ASSERT_EQ(RunNew({dir.Path().string(), "", true}, out, err), 0) << err.str();
    const std::string text = TempDir::Read(dir.File("manifest.toml"));
    EXPECT_LT(text.find("b.jpg"), text.find("c.jpg"));
    EXPECT_LT(text.find("c.jpg"), text.find("a.jpg"));
}

TEST(Exif, MalformedBlocksLeaveTheDefaults)
{
    const std::string good = PhotoTakenAt("2020:01:02 03:04:05");
    EXPECT_EQ(ReadJpegExif(reinterpret_cast<const uint8_t*>(good.data()), good.size()).dateTime, "2020:01:02 03:04:05");
    std::vector<std::string> bad = {
        good.substr(0, 20),                                  // cut inside the block
        PhotoTakenAt("2020:01:02 0x:04:05"),                 // not a date
        std::string("\xFF\xD8\xFF\xE1\xFF\xFF", 6) + "Exif", // a length past the end
    };
    std::string offsets = good;
    offsets[30] = '\xFF'; // the date's offset points past the block
    bad.push_back(offsets);
    std::string pointer = good;
    pointer[16] = '\xF0'; // the directory's offset points outside
    bad.push_back(pointer);
    for (const std::string& bytes : bad) {
        const ExifInfo info = ReadJpegExif(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        EXPECT_EQ(info.orientation, 1);
        EXPECT_EQ(info.dateTime, "");
    }
}

TEST(CommandLine, ExitCodesAndNamedCommands)
{
    auto run = [](std::vector<std::string> words, std::string* printed = nullptr) {
        CLI::App app{"test", "scrpack"};
        app.require_subcommand(1);
        app.set_version_flag("--version", "scrpack 9.9");
        RegisterNewCommand(app);
        RegisterPackCommand(app);
        RegisterEffectsCommand(app);
        std::vector<char*> argv;
        words.insert(words.begin(), "scrpack");
        for (std::string& w : words)
            argv.push_back(w.data());
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = RunCommandLine(app, static_cast<int>(argv.size()), argv.data());
        const std::string text = ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();
        if (printed)
            *printed = text;
        return code;
    };
    std::string printed;
    EXPECT_EQ(run({"frobnicate"}, &printed), 2);
    EXPECT_THAT(printed, HasSubstr("unknown command \"frobnicate\" (commands: new, pack, effects)"));
    EXPECT_EQ(run({"pack"}), 2);
    EXPECT_EQ(run({"pack", "x.toml", "-o", "y", "--bogus"}), 2);
    EXPECT_EQ(run({"--version"}, &printed), 0);
    EXPECT_THAT(printed, HasSubstr("scrpack 9.9"));
    EXPECT_EQ(run({"pack", "/nonexistent/x.toml", "-o", "/nonexistent/y.db"}), 1);
    EXPECT_EQ(run({"effects"}, &printed), 0);
    EXPECT_THAT(printed, HasSubstr("  0  Band down large\n"));
    EXPECT_THAT(printed, HasSubstr("160  Zig-zag up\n161  Fade\n162  Fade through black\n"));
}

TEST(NewCommand, NamesAndTitlesOutsideWesternLettersPack)
{
    // Names as a phone or a camera gives them, in several scripts; the folder's own name too.
    TempDir dir;
    std::ostringstream out, err;
    const std::string folder = dir.Path().string() + "/Plage de Nice \u00e9t\u00e9";
    std::filesystem::create_directories(PathFromUtf8(folder));
    const std::string names[] = {"Ch\u00e2teau d'If (\u00f1, \u00fc, \u00df, \u65e5\u672c).jpg",
                                 "01 \u041f\u043b\u044f\u0436.jpg",
                                 "IMG_0042.jpg",
                                 "\u65e5\u672c.bmp",
                                 "\u00e9t\u00e9.jpg",
                                 "ete.jpg"};
    uint8_t seed = 0;
    for (const std::string& name : names) {
        std::ofstream file(PathFromUtf8(folder + "/" + name), std::ios::binary);
        file << TinyPicture(++seed);
    }
    ASSERT_EQ(RunNew({folder, dir.File("show.toml"), false}, out, err), 0) << err.str();
    const std::string text = TempDir::Read(dir.File("show.toml"));
    // Titles in the character set that holds them, without numbering; a camera's file name gives none.
    EXPECT_THAT(text, HasSubstr("text = \"\u041f\u043b\u044f\u0436\"\ncharset = 204\n"));
    EXPECT_THAT(text, HasSubstr("IMG_0042.jpg\"\n[media.title]\ntext = \"\"\n"));
    EXPECT_THAT(text, HasSubstr("text = \"\u65e5\u672c\"\ncharset = 128\n"));
    // No one set holds the whole title: Western shows the most of it, and the manifest says so.
    EXPECT_THAT(text, HasSubstr("text = \"Ch\u00e2teau d'If (\u00f1, \u00fc, \u00df, ?\?)\"\n"));
    EXPECT_THAT(out.str(), HasSubstr("1 titles had characters no one character set holds together"));
    // Stored names every runtime opens, unique and with their extension.
    EXPECT_THAT(text, HasSubstr("name = \"Chateau d'If (n, u, ss, ).jpg\""));
    EXPECT_THAT(text, HasSubstr("name = \"01.jpg\""));
    EXPECT_THAT(text, HasSubstr("name = \"item.bmp\""));
    EXPECT_THAT(text, HasSubstr("name = \"ete-2.jpg\"")) << text;
    EXPECT_THAT(text, HasSubstr("display_time = 7\n"));

    ASSERT_EQ(RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err), 0) << err.str();
    PackPlan plan = ReadManifest(dir.File("show.toml"));
    ASSERT_EQ(plan.items.size(), 6u);
    for (const StoredFile& media : plan.media)
        EXPECT_TRUE(std::all_of(media.name.begin(), media.name.end(), [](char c) { return c > 0x1F && c < 0x7F; }))
            << media.name;
}

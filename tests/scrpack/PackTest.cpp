#include "TinyPicture.h"
#include "db/DatabaseTable.h"
#include "db/ProjectDatabase.h"
#include "model/MediaPlaylist.h"
#include "model/MediaTable.h"
#include "model/ProjectInfo.h"
#include "model/UserSettings.h"
#include "scrpack/commands/PackCommand.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::HasSubstr;

namespace {

struct PackFixture : ::testing::Test {
    TempDir dir;
    std::ostringstream err;

    int Pack(const std::string& manifest, const std::string& out, const std::string& runtime = "")
    {
        dir.Write("show.toml", manifest);
        return RunPack({dir.File("show.toml"), out, runtime}, err);
    }
};

const char* const kShow = R"toml(
[project]
name = "Harbour Lights.kdp"
author = "Someone"
[options]
display_time = 5
random_order = true
[[media]]
file = "Cover.JPG"
[media.title]
text = "Cover"
[media.transition]
effects = [0, 1, 2]
random = false
[[media]]
file = "12.jpg"
[media.transition]
effects = " 3;"
[[media]]
file = "2.jpg"
sound = "ding.wav"
[[music]]
file = "tune.mp3"
[[music]]
file = "ding.wav"
track = false
)toml";

} // namespace

TEST_F(PackFixture, DatabaseReadsBackThroughTheModel)
{
    dir.Write("Cover.JPG", TinyPicture(1));
    dir.Write("12.jpg", TinyPicture(12));
    dir.Write("2.jpg", TinyPicture(2));
    dir.Write("tune.mp3", "ID3");
    dir.Write("ding.wav", "RIFF");
    ASSERT_EQ(Pack(kShow, dir.File("show.db")), 0) << err.str();

    ProjectDatabase db;
    ASSERT_TRUE(db.Open(dir.File("show.db"), 0));
    const char* order[] = {"project", "setting", "music", "media", "runtimelib", "backimage", "accfile"};
    ASSERT_EQ(db.GetTableCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(db.GetTable(i)->name, order[i]);

    ProjectInfo project;
    project.SetDatabase(&db);
    ASSERT_TRUE(project.OpenProjectTable());
    project.Load();
    EXPECT_EQ(project.GetProjectName(), "Harbour Lights.kdp");
    EXPECT_EQ(project.Options().DisplayTime(), 5);
    EXPECT_TRUE(project.Options().RandomOrder());
    EXPECT_EQ(UserSettings::KeyForProject(project.GetProjectName()), "Software\\quillmark\\Harbour Lights");

    UserSettings user;
    MediaPlaylist items;
    items.SetDatabase(&db);
    items.SetUserSettings(&user);
    ASSERT_TRUE(items.Open());
    ASSERT_EQ(items.GetRecordCount(), 3);
    items.LoadCurrent();
    EXPECT_EQ(items.GetTitle(), "Cover");
    EXPECT_EQ(items.NextEffect(), 0);
    EXPECT_EQ(items.NextEffect(), 1);
    items.SelectNext(false);
    EXPECT_EQ(items.GetEffect(), " 3;");
    EXPECT_EQ(items.NextEffect(), 3);
    items.SelectNext(false);
    EXPECT_EQ(items.GetBindSound(), "ding.wav");
    items.SelectNext(false);
    EXPECT_EQ(items.GetFileName(), "Cover.JPG");

    MediaTable media;
    media.SetDatabase(&db);
    ASSERT_TRUE(media.Open());
    MemoryFile stream;
    ASSERT_TRUE(media.ReadMedia("cover.jpg", stream));
    EXPECT_EQ(stream.View(), TinyPicture(1));
    EXPECT_EQ(media.GetStoredName("x\\2.jpg"), "12.jpg");

    DatabaseTable music;
    music.SetLoadBinaryFields(false);
    ASSERT_TRUE(music.Open(db, "music"));
    ASSERT_EQ(music.GetRecordCount(), 2);
    EXPECT_EQ(music.ReadFieldInt("type"), 1);
    music.MoveNext();
    EXPECT_EQ(music.GetFieldString("name"), "ding.wav");
    EXPECT_EQ(music.ReadFieldInt("type"), 0);
}

TEST_F(PackFixture, RuntimeIsCopiedInFrontWithTrailer)
{
    dir.Write("a.jpg", TinyPicture(1));
    const std::string runtime = std::string("MZ\0\0program", 11);
    dir.Write("screensaver.scr", runtime);
    ASSERT_EQ(Pack("[[media]]\nfile = \"a.jpg\"\n", dir.File("out.scr"), dir.File("screensaver.scr")), 0) << err.str();
    const std::string out = TempDir::Read(dir.File("out.scr"));
    EXPECT_EQ(out.substr(0, runtime.size()), runtime);
    EXPECT_EQ(ReadDatabaseTrailer(dir.File("out.scr")), static_cast<int64_t>(runtime.size()));
    EXPECT_EQ(out.substr(runtime.size(), 10), "<database>");
    ProjectDatabase db;
    ASSERT_TRUE(db.Open(dir.File("out.scr"), static_cast<uint32_t>(runtime.size())));
    MediaTable media;
    media.SetDatabase(&db);
    ASSERT_TRUE(media.Open());
    MemoryFile stream;
    EXPECT_TRUE(media.ReadMedia("A.JPG", stream));
    EXPECT_EQ(stream.View(), TinyPicture(1));
    // The runtime itself is left as it was.
    EXPECT_EQ(TempDir::Read(dir.File("screensaver.scr")), runtime);
}

TEST_F(PackFixture, PackingABuiltScreensaverReplacesItsProject)
{
    dir.Write("a.jpg", TinyPicture(1));
    dir.Write("b.jpg", TinyPicture(2));
    dir.Write("rt.scr", "MZruntime");
    ASSERT_EQ(Pack("[[media]]\nfile = \"a.jpg\"\n", dir.File("first.scr"), dir.File("rt.scr")), 0) << err.str();
    ASSERT_EQ(Pack("[[media]]\nfile = \"b.jpg\"\n", dir.File("second.scr"), dir.File("first.scr")), 0) << err.str();
    ASSERT_EQ(Pack("[[media]]\nfile = \"b.jpg\"\n", dir.File("direct.scr"), dir.File("rt.scr")), 0) << err.str();
    EXPECT_EQ(TempDir::Read(dir.File("second.scr")), TempDir::Read(dir.File("direct.scr")));
    EXPECT_EQ(ReadDatabaseTrailer(dir.File("second.scr")), 9);
}

#ifndef _WIN32
TEST_F(PackFixture, ShowOnTheLinuxProgramIsRunnable)
{
    namespace fs = std::filesystem;
    dir.Write("a.jpg", TinyPicture(1));
    dir.Write("screensaver",
              "\x7f"
              "ELFprogram");
    dir.Write("screensaver.scr", "MZprogram");
    ASSERT_EQ(Pack("[[media]]\nfile = \"a.jpg\"\n", dir.File("show.scr"), dir.File("screensaver")), 0) << err.str();
    ASSERT_EQ(Pack("[[media]]\nfile = \"a.jpg\"\n", dir.File("win.scr"), dir.File("screensaver.scr")), 0);
    EXPECT_NE(fs::status(dir.File("show.scr")).permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_EQ(fs::status(dir.File("win.scr")).permissions() & fs::perms::owner_exec, fs::perms::none);
}
#endif

TEST_F(PackFixture, BadManifestLeavesNothingBehind)
{
    dir.Write("old.db", "previous contents");
    EXPECT_EQ(Pack("[options]\ndisplay_time = true\n", dir.File("old.db")), 1);
    EXPECT_THAT(err.str(), HasSubstr("show.toml:2: options.display_time: expected an integer"));
    EXPECT_EQ(TempDir::Read(dir.File("old.db")), "previous contents");

    err.str("");
    EXPECT_EQ(Pack("[[media]]\nfile = \"gone.jpg\"\n", dir.File("new.db")), 1);
    EXPECT_THAT(err.str(), HasSubstr("media[0].file: file not found"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.db")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.db_")));

    err.str("");
    EXPECT_EQ(Pack("", dir.File("x.scr"), dir.File("no-runtime.scr")), 1);
    EXPECT_THAT(err.str(), HasSubstr("runtime not found"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.scr")));

    err.str("");
    EXPECT_EQ(Pack("", dir.File("missing-folder/x.db")), 1);
    EXPECT_FALSE(err.str().empty());
}

TEST_F(PackFixture, OutputThatIsAnInputIsRefusedAndKept)
{
    dir.Write("a.jpg", TinyPicture(1));
    dir.Write("tune.mp3", "ID3");
    dir.Write("rt.scr", "MZruntime");
    const std::string manifest = "[[media]]\nfile = \"a.jpg\"\n[[music]]\nfile = \"tune.mp3\"\n";

    // The same file under another spelling of its path is still the same file.
    for (const std::string& out :
         {dir.File("a.jpg"), (dir.Path() / "." / "a.jpg").string(), dir.File("tune.mp3"), dir.File("show.toml")}) {
        err.str("");
        EXPECT_EQ(Pack(manifest, out), 1) << out;
        EXPECT_THAT(err.str(), HasSubstr("is also an input")) << out;
    }
    EXPECT_EQ(TempDir::Read(dir.File("a.jpg")), TinyPicture(1));
    EXPECT_EQ(TempDir::Read(dir.File("tune.mp3")), "ID3");
    EXPECT_EQ(TempDir::Read(dir.File("show.toml")), manifest);

    // A file next to the output that the writer would use for the new file is an input too.
    dir.Write("show.db_", "data");
    err.str("");
    EXPECT_EQ(Pack(manifest + "[[stored_file]]\nfile = \"show.db_\"\n", dir.File("show.scr")), 1);
    EXPECT_THAT(err.str(), HasSubstr("show.db_"));
    EXPECT_EQ(TempDir::Read(dir.File("show.db_")), "data");

    // Replacing the project of a built screensaver in place stays possible.
    err.str("");
    ASSERT_EQ(Pack(manifest, dir.File("rt.scr"), dir.File("rt.scr")), 0) << err.str();
    EXPECT_EQ(TempDir::Read(dir.File("rt.scr")).substr(0, 9), "MZruntime");
    EXPECT_EQ(ReadDatabaseTrailer(dir.File("rt.scr")), 9);
}

TEST_F(PackFixture, FolderGivenAsManifestIsAnError)
{
    std::filesystem::create_directories(dir.Path() / "project");
    EXPECT_EQ(RunPack({dir.File("project"), dir.File("out.db"), ""}, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("not a manifest"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.db")));

    // A large program or video given in its place is refused before it is read.
    dir.Write("movie.avi", "RIFF");
    std::filesystem::resize_file(dir.File("movie.avi"), (64u << 20) + 1);
    err.str("");
    EXPECT_EQ(RunPack({dir.File("movie.avi"), dir.File("out.db"), ""}, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("too long for a manifest"));
}

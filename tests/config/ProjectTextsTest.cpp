#include "config/AboutTexts.h"
#include "config/DialogPicture.h"
#include "config/PageTexts.h"
#include "gfx/Picture.h"
#include "model/ProjectDbBuilder.h"
#include "model/ProjectInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// A project database written and loaded as start-up loads it.
struct LoadedProject {
    TempDir dir;
    ProjectDatabase db;
    ProjectInfo project;

    explicit LoadedProject(const ProjectDbBuilder& builder, const std::string& executable = "")
    {
        builder.WriteAndOpen(dir.File("project.db"), db);
        project.SetDatabase(&db);
        project.OpenProjectTable();
        project.Load();
        project.SetExecutablePath(executable);
    }
};

// A small bitmap file's bytes.
std::string BitmapBytes(const TempDir& dir, int width, int height)
{
    Picture picture;
    picture.CreateBlank(width, height, 0x0000FF);
    const std::string path = dir.File("made.bmp");
    picture.SaveAsBitmapFile(path);
    return TempDir::Read(path);
}

} // namespace

TEST(ProjectTexts, PagesShowTheProjectRecord)
{
    ProjectDbBuilder builder;
    builder.projectTexts = {{"projectname", "Harbour Lights.kdp"},
                            {"version", "1.0"},
                            {"authoremail", "ann@example.org"},
                            {"description", "Boats\nand lights"}};
    LoadedProject loaded(builder);
    const AboutTexts about = MakeAboutTexts(loaded.project, 2ull << 30);
    EXPECT_EQ(about.caption, "About Harbour Lights.kdp");
    EXPECT_EQ(about.version, "1.0");
    EXPECT_EQ(about.memory, "2097152 K");
    EXPECT_EQ(MakePublisherTexts(loaded.project).emailTarget, "mailto:ann@example.org");
    EXPECT_EQ(DescriptionPageText(loaded.project), "Boats\r\nand lights");

    // A project without a record shows empty texts, and an e-mail link to "mailto:" alone.
    ProjectDbBuilder empty;
    empty.withProjectRecord = false;
    LoadedProject bare(empty);
    EXPECT_EQ(MakeAboutTexts(bare.project, 0).version, "");
    EXPECT_EQ(MakePublisherTexts(bare.project).emailTarget, "mailto:");
}

TEST(ProjectTexts, DialogPictureComesFromTheDatabaseOrBesideTheProgram)
{
    TempDir files;
    ProjectOptions inDatabase;
    inDatabase.SetFlag(ProjectOptions::kMediaInDatabase, true);

    ProjectDbBuilder stored;
    stored.projectData = inDatabase.ToString();
    stored.projectTexts["dialogpicture"] = "C:\\Art\\banner.bmp";
    stored.banner = BitmapBytes(files, 20, 51);
    {
        LoadedProject loaded(stored);
        Picture picture;
        ASSERT_TRUE(LoadDialogPicture(loaded.project, picture));
        EXPECT_EQ(picture.Width(), 20);
        EXPECT_EQ(picture.Height(), 51);
    }
    stored.banner = "not a picture";
    {
        LoadedProject loaded(stored);
        Picture picture;
        EXPECT_FALSE(LoadDialogPicture(loaded.project, picture));
        EXPECT_FALSE(picture.IsLoaded());
    }

    // On disk beside the program: the stored path's file name in the program's folder.
    ProjectOptions beside;
    beside.SetFlag(ProjectOptions::kBesideExecutable, true);
    ProjectDbBuilder onDisk;
    onDisk.projectData = beside.ToString();
    onDisk.projectTexts["dialogpicture"] = "C:\\Art\\banner.bmp";
    files.Write("banner.bmp", BitmapBytes(files, 7, 9));
    {
        LoadedProject loaded(onDisk, files.File("show.scr"));
        Picture picture;
        ASSERT_TRUE(LoadDialogPicture(loaded.project, picture));
        EXPECT_EQ(picture.Width(), 7);
    }
    // By the stored path as it is.
    onDisk.projectData = ProjectOptions().ToString();
    onDisk.projectTexts["dialogpicture"] = files.File("banner.bmp");
    {
        LoadedProject loaded(onDisk, "/nowhere/show.scr");
        Picture picture;
        EXPECT_TRUE(LoadDialogPicture(loaded.project, picture));
    }
    onDisk.projectTexts["dialogpicture"] = "";
    {
        LoadedProject loaded(onDisk);
        Picture picture;
        EXPECT_FALSE(LoadDialogPicture(loaded.project, picture));
    }
}

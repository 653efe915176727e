#include "model/ProjectInfo.h"
#include "ProjectDbBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(ProjectInfo, LoadsOptionsAndTexts)
{
    TempDir dir;
    ProjectDbBuilder builder;
    ProjectOptions options;
    options.SetI32(ProjectOptions::kDisplayTime, 30);
    options.SetFlag(ProjectOptions::kRandomOrder, true);
    options.SetU32(ProjectOptions::kMusicLoop, 0x7ffdf001); // 01 f0 fd 7f: loop, with leftovers behind
    builder.projectData = options.ToString();
    builder.projectTexts = {{"projectname", "Harbour Lights.kdp"},
                            {"authorname", "A. Author"},
                            {"authoremail", "a@example.org"},
                            {"authorwebsite", "http://example.org"},
                            {"version", "1.0"},
                            {"description", std::string("two\0parts", 9)},
                            {"appname", "Harbour"},
                            {"homesite", "http://home"}};
    ProjectDatabase db;
    builder.WriteAndOpen(dir.File("p.db"), db);

    ProjectInfo project;
    project.SetDatabase(&db);
    ASSERT_TRUE(project.OpenProjectTable());
    project.Load();
    EXPECT_EQ(project.Options().DisplayTime(), 30);
    EXPECT_TRUE(project.Options().RandomOrder());
    EXPECT_TRUE(project.Options().MusicLoop());
    EXPECT_EQ(project.Options().Bytes(), options.Bytes());
    EXPECT_EQ(project.GetProjectName(), "Harbour Lights.kdp");
    EXPECT_EQ(project.GetAuthorName(), "A. Author");
    EXPECT_EQ(project.GetAuthorEmail(), "a@example.org");
    EXPECT_EQ(project.GetAuthorWebsite(), "http://example.org");
    EXPECT_EQ(project.GetVersion(), "1.0");
    EXPECT_EQ(project.GetDescription(), "two");
    EXPECT_EQ(project.GetAppName(), "Harbour");
    EXPECT_EQ(project.GetHomeSite(), "http://home");
    // The table stays open for the dialogs.
    EXPECT_FALSE(project.GetProjectTable().IsClosed());
    project.Close();
    EXPECT_TRUE(project.GetProjectTable().IsClosed());
}

TEST(ProjectInfo, ShortAndLongDataRecords)
{
    TempDir dir;
    ProjectDbBuilder builder;
    builder.projectData = std::string("\0\0\0\0\0\0\0\0\x01\0\0\0", 12);
    ProjectDatabase db;
    builder.WriteAndOpen(dir.File("short.db"), db);
    ProjectInfo project;
    project.SetDatabase(&db);
    ASSERT_TRUE(project.OpenProjectTable());
    project.Load();
    EXPECT_TRUE(project.Options().ForcesExeMode());
    EXPECT_EQ(project.Options().DisplayTime(), 0);

    ProjectDbBuilder longer;
    longer.projectData = std::string(100, '\x05');
    ProjectDatabase db2;
    longer.WriteAndOpen(dir.File("long.db"), db2);
    ProjectInfo p2;
    p2.SetDatabase(&db2);
    ASSERT_TRUE(p2.OpenProjectTable());
    p2.Load();
    EXPECT_EQ(p2.Options().ToString(), std::string(80, '\x05'));
}

TEST(ProjectInfo, MissingRecordOrTableGivesPlainBehaviour)
{
    TempDir dir;
    ProjectDbBuilder builder;
    builder.withProjectRecord = false;
    ProjectDatabase db;
    builder.WriteAndOpen(dir.File("empty.db"), db);
    ProjectInfo project;
    project.SetDatabase(&db);
    EXPECT_TRUE(project.OpenProjectTable());
    project.Load();
    EXPECT_EQ(project.Options().ToString(), std::string(80, '\0'));
    EXPECT_EQ(project.GetProjectName(), "");

    // No database file at all: the table cannot be opened, Load still leaves plain values.
    ProjectDatabase none;
    ASSERT_TRUE(none.Open(dir.File("missing.db"), 0));
    ProjectInfo p2;
    p2.SetDatabase(&none);
    EXPECT_FALSE(p2.OpenProjectTable());
    EXPECT_NO_THROW(p2.Load());
    EXPECT_EQ(p2.Options().DisplayTime(), 0);
}

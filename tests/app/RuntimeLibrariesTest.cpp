#include "app/RuntimeLibraries.h"
#include "db/DatabaseWriter.h"
#include "db/ProjectDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
// A database file holding the given tables, opened; the system folder is "sys" beside it.
struct RuntimeFixture {
    TempDir dir;
    ProjectDatabase db;
    std::string sys;

    explicit RuntimeFixture(std::vector<TableContent> tables)
    {
        std::string path = dir.File("project.db");
        EXPECT_TRUE(WriteDatabaseFile(path, std::move(tables)));
        EXPECT_TRUE(db.Open(path, 0));
        std::filesystem::create_directory(dir.Path() / "sys");
        sys = (dir.Path() / "sys" / "").string();
    }
    size_t FilesInSys() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.Path() / "sys"), {}));
    }
};
} // namespace

TEST(RuntimeLibraries, EveryRecordBecomesAFileWithItsWholeContent)
{
    TableContent table("runtimelib", {"name", "libs"}, {false, true});
    std::string big(300000, '\x5a');
    big[123456] = '\0';
    table.AddRecord({"big.dll", big});
    table.AddRecord({"small.ocx", "s"});
    RuntimeFixture f({table});
    EXPECT_EQ(ExtractRuntimeLibraries(f.db, f.sys), 2);
    EXPECT_EQ(TempDir::Read(f.sys + "big.dll"), big);
    EXPECT_EQ(TempDir::Read(f.sys + "small.ocx"), "s");
    EXPECT_EQ(ExtractRuntimeLibraries(f.db, f.sys), 0) << "files already there are left as they are";
    EXPECT_EQ(f.FilesInSys(), 2u);
}

TEST(RuntimeLibraries, EmptyMissingOrMalformedTablesWriteNothing)
{
    RuntimeFixture empty({TableContent("runtimelib", {"name", "libs"}, {false, true})});
    EXPECT_EQ(ExtractRuntimeLibraries(empty.db, empty.sys), 0);

    RuntimeFixture missing({TableContent("project", {"data"})});
    EXPECT_EQ(ExtractRuntimeLibraries(missing.db, missing.sys), 0);

    TableContent noLibs("runtimelib", {"name"});
    noLibs.AddRecord({"x.dll"});
    RuntimeFixture malformed({noLibs});
    EXPECT_EQ(ExtractRuntimeLibraries(malformed.db, malformed.sys), 0);
    EXPECT_EQ(malformed.FilesInSys(), 0u);

    TableContent lib("runtimelib", {"name", "libs"}, {false, true});
    lib.AddRecord({"x.dll", "x"});
    RuntimeFixture noDirectory({lib});
    EXPECT_EQ(ExtractRuntimeLibraries(noDirectory.db, ""), 0);
    EXPECT_FALSE(std::filesystem::exists("x.dll"));
}

#include "scrpack/commands/InspectCommand.h"

#include "db/DatabaseWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

std::vector<TableContent> Tables()
{
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    music.AddRecord({"a.mp3", std::string("\x01\0\0\0", 4), "MP3DATA"});
    music.AddRecord({"b.mp3", std::string("\x01\0\0\0", 4), ""});
    return {music, TableContent("backimage", {"name"})};
}

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Inspect(InspectOptions options)
{
    std::ostringstream out, err;
    int code = RunInspect(options, out, err);
    return {code, out.str(), err.str()};
}

TEST(InspectCommand, ListsTablesOfAnAttachedDatabase)
{
    TempDir dir;
    std::string exe = dir.Write("runtime.exe", std::string(4000, 'M'));
    std::string scr = dir.File("show.scr");
    ASSERT_TRUE(AttachDatabase(exe, scr, Tables()));
    Outcome run = Inspect({scr, std::nullopt, false});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("base 4000\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("table music\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  records 2\n  fields name type music*\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("table backimage\n"), std::string::npos) << run.out;
}

TEST(InspectCommand, JsonDocumentDescribesEveryTable)
{
    TempDir dir;
    std::string path = dir.File("show.db");
    ASSERT_TRUE(WriteDatabaseFile(path, Tables()));
    Outcome run = Inspect({path, std::nullopt, true});
    ASSERT_EQ(run.code, 0) << run.err;
    auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["base"], 0);
    ASSERT_EQ(doc["tables"].size(), 2u);
    const auto& music = doc["tables"][0];
    EXPECT_EQ(music["name"], "music");
    EXPECT_EQ(music["records"], 2);
    EXPECT_GT(music["start"].get<int>(), 0);
    EXPECT_EQ(music["fields"][2]["name"], "music");
    EXPECT_EQ(music["fields"][2]["binary"], true);
    EXPECT_EQ(music["fields"][0]["binary"], false);
    EXPECT_EQ(doc["tables"][1]["start"].get<int>(), music["start"].get<int>() + music["size"].get<int>());
}

TEST(InspectCommand, BaseOptionReadsADatabaseWhereverItIs)
{
    TempDir dir;
    std::string db = dir.File("show.db");
    ASSERT_TRUE(WriteDatabaseFile(db, Tables()));
    // The same bytes behind 100 others, without a trailer: only --base finds them.
    std::string shifted = dir.Write("shifted.bin", std::string(100, 'x') + TempDir::Read(db));
    Outcome lost = Inspect({shifted, std::nullopt, false});
    EXPECT_NE(lost.code, 0);
    EXPECT_NE(lost.err.find("--base"), std::string::npos) << lost.err;
    EXPECT_TRUE(lost.out.empty());
    Outcome found = Inspect({shifted, 100u, true});
    ASSERT_EQ(found.code, 0) << found.err;
    EXPECT_EQ(nlohmann::json::parse(found.out)["tables"][0]["records"], 2);
}

TEST(InspectCommand, ErrorsGoToStderrWithAFailingCode)
{
    TempDir dir;
    Outcome missing = Inspect({dir.File("absent.scr"), std::nullopt, false});
    EXPECT_NE(missing.code, 0);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
    Outcome tiny = Inspect({dir.Write("tiny", "ab"), std::nullopt, false});
    EXPECT_NE(tiny.code, 0);
    EXPECT_FALSE(tiny.err.empty());
    Outcome beyond = Inspect({dir.Write("junk", std::string(50, 'j')), 1000u, false});
    EXPECT_NE(beyond.code, 0);
    EXPECT_NE(beyond.err.find("no project database"), std::string::npos);
}

} // namespace

#include "scrpack/commands/DumpCommand.h"

#include "db/DatabaseWriter.h"
#include "scrpack/database/Crc32.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Dump(DumpOptions options)
{
    std::ostringstream out, err;
    int code = RunDump(options, out, err);
    return {code, out.str(), err.str()};
}

class DumpCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        TableContent music("music", {"name", "type", "music"}, {false, false, true});
        music.AddRecord({std::string("a\"b\0c", 5), std::string("\x01\0\0\0", 4), big_});
        music.AddRecord({"", std::string("\x02\0\0\0", 4), ""});
        ASSERT_TRUE(WriteDatabaseFile(path_, {music, TableContent("empty", {"x"})}));
    }

    TempDir dir_;
    std::string path_ = dir_.File("show.db");
    std::string big_ = std::string(150000, 'Q') + "END";
};

TEST_F(DumpCommand, PrintsTextWithHexAndBinaryWithCrc)
{
    Outcome run = Dump({path_, "music", std::nullopt, false});
    ASSERT_EQ(run.code, 0) << run.err;
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08x", Crc32(0, big_.data(), big_.size()));
    EXPECT_NE(run.out.find("records 2\n"), std::string::npos);
    EXPECT_NE(run.out.find("record 0\n  name: length 5, text \"a\\x22b\", hex 6122620063\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("  type: length 4, text \"\\x01\", hex 01000000\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  music: length 150003, binary, crc32 " + std::string(crc) + "\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("record 1\n  name: length 0, text \"\", hex \n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  music: length 0, binary, crc32 00000000\n"), std::string::npos) << run.out;
}

TEST_F(DumpCommand, JsonDocumentHoldsEveryRecord)
{
    Outcome run = Dump({path_, "music", std::nullopt, true});
    ASSERT_EQ(run.code, 0) << run.err;
    auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["table"], "music");
    ASSERT_EQ(doc["records"].size(), 2u);
    const auto& first = doc["records"][0]["fields"];
    EXPECT_EQ(first[0]["text"], "a\"b");
    EXPECT_EQ(first[0]["hex"], "6122620063");
    EXPECT_EQ(first[2]["length"], 150003);
    EXPECT_EQ(first[2]["binary"], true);
    EXPECT_FALSE(first[2].contains("text"));
    EXPECT_EQ(doc["records"][1]["fields"][1]["hex"], "02000000");

    Outcome empty = Dump({path_, "empty", std::nullopt, true});
    ASSERT_EQ(empty.code, 0);
    EXPECT_TRUE(nlohmann::json::parse(empty.out)["records"].empty());
}

TEST_F(DumpCommand, UnknownTableIsAnError)
{
    Outcome run = Dump({path_, "Music", std::nullopt, false});
    EXPECT_NE(run.code, 0);
    EXPECT_NE(run.err.find("no table \"Music\""), std::string::npos);
    EXPECT_TRUE(run.out.empty());
}

TEST(Crc32, KnownValues)
{
    EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32(Crc32(0, "1234", 4), "56789", 5), 0xCBF43926u);
    EXPECT_EQ(Crc32(0, "", 0), 0u);
}

} // namespace

#include "media/SoundTable.h"
#include "db/DatabaseWriter.h"
#include "db/ProjectDatabase.h"
#include "platform/Paths.h"
#include "support/SteppingClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace {

struct Track {
    std::string name;
    int32_t type;
    std::string bytes;
};

std::string TypeBytes(int32_t type)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[size_t(i)] = char((uint32_t(type) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class SoundTableTest : public ::testing::Test {
protected:
    void Open(const std::vector<Track>& tracks)
    {
        TableContent music("music", {"name", "type", "music"}, {false, false, true});
        for (const Track& t : tracks)
            music.AddRecord({t.name, TypeBytes(t.type), t.bytes});
        std::string error;
        ASSERT_TRUE(WriteDatabaseFile(dir.File("project.db"), {music}, &error)) << error;
        ASSERT_TRUE(db.Open(dir.File("project.db"), 0));
        table.SetDatabase(&db);
        table.SetTempFolder(temp);
        table.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        ASSERT_TRUE(table.Load());
    }
    std::string Next(bool random = false, bool loop = false, bool stored = true)
    {
        const std::string path = table.GetNextMusic(program, random, loop, stored, false);
        return path.empty() ? path : FileNameOf(path);
    }

    TempDir dir;
#ifdef _WIN32
    std::string temp = dir.File("tmp") + "\\";
#else
    std::string temp = dir.File("tmp") + "/";
#endif
    std::string program = dir.File("show.scr");
    SteppingClock clock;
    ProjectDatabase db;
    SoundTable table{clock};
    std::vector<std::string> messages;

    void SetUp() override
    {
        std::filesystem::create_directory(dir.File("tmp"));
    }
};

TEST_F(SoundTableTest, PlaysTheTracksOfTypeOneInTableOrderAndEndsForGoodWithoutLoop)
{
    Open({{"a.wav", 1, "A"}, {"bell.wav", 2, "B"}, {"c.wav", 1, "C"}});
    EXPECT_EQ(table.Playlist(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Next(), "a.wav");
    EXPECT_EQ(Next(), "c.wav");
    EXPECT_EQ(Next(), "");
    EXPECT_EQ(Next(), "") << "music that ended stays ended";
    EXPECT_EQ(table.PlaylistPosition(), 2);
}

TEST_F(SoundTableTest, LoopStartsOverAndAListWithoutTracksPlaysNothing)
{
    Open({{"a.wav", 1, "A"}, {"c.wav", 1, "C"}});
    EXPECT_EQ(Next(false, true), "a.wav");
    EXPECT_EQ(Next(false, true), "c.wav");
    EXPECT_EQ(Next(false, true), "a.wav");

    SoundTable empty(clock);
    empty.SetDatabase(&db);
    EXPECT_EQ(empty.GetNextMusic(program, false, true, true, false), "") << "not loaded";
}

TEST_F(SoundTableTest, NoTrackOfTypeOneGivesNoMusic)
{
    Open({{"a.wav", 0, "A"}, {"b.wav", 2, "B"}});
    EXPECT_TRUE(table.Playlist().empty());
    EXPECT_EQ(Next(true, true), "");
    EXPECT_EQ(Next(false, true), "");
}

TEST_F(SoundTableTest, ShuffledTracksEachPlayOnceBeforeAnyRepeats)
{
    Open({{"a.wav", 1, "A"}, {"b.wav", 1, "B"}, {"c.wav", 1, "C"}});
    for (int round = 0; round < 4; ++round) {
        std::set<std::string> heard;
        for (int i = 0; i < 3; ++i)
            heard.insert(Next(true));
        EXPECT_EQ(heard, (std::set<std::string>{"a.wav", "b.wav", "c.wav"})) << "round " << round;
    }
}

TEST_F(SoundTableTest, StoredSoundsAreWrittenToTheTemporaryFolderOnePerRole)
{
    // A track of several pieces, copied piece by piece: no byte lost or doubled where two pieces meet.
    std::string longTrack(200000 + 17, '\0');
    for (size_t i = 0; i < longTrack.size(); ++i)
        longTrack[i] = char(i * 7 % 251);
    Open({{"Music/..\\../a.wav", 1, "first track"},
          {"b.wav", 1, longTrack},
          {"bell.wav", 2, "ding"},
          {"..", 1, "up"},
          {"CON.wav", 1, "console"}});
    // Only the file-name part names the copy, whatever folders the stored name has.
    const std::string first = table.GetNextMusic(program, false, false, true, false);
    EXPECT_EQ(first, temp + "a.wav");
    EXPECT_EQ(ReadFile(first), "first track");
    // A bound sound is found by the lower-cased file-name part of its name.
    const std::string bell = table.GetSoundFile(program, "C:\\Sounds\\Bell.WAV", true, false);
    EXPECT_EQ(bell, temp + "bell.wav");
    EXPECT_EQ(ReadFile(bell), "ding");
    EXPECT_TRUE(FileExists(first)) << "the music's copy is not the bound sound's to replace";

    const std::string second = table.GetNextMusic(program, false, false, true, false);
    EXPECT_FALSE(FileExists(first)) << "each track's copy replaces the one before";
    EXPECT_TRUE(ReadFile(second) == longTrack);

    // Names that are no plain file name are not written anywhere.
    EXPECT_EQ(table.GetNextMusic(program, false, false, true, false), "");
    EXPECT_EQ(table.GetNextMusic(program, false, false, true, false), "");
    EXPECT_EQ(table.GetSoundFile(program, "", true, false), "");
    EXPECT_EQ(table.GetSoundFile(program, "C:\\Sounds\\", true, false), "") << "a folder names no sound";
    EXPECT_EQ(table.GetSoundFile(program, "gong.wav", true, false), "");

    table.RemoveTemporaryFiles();
    EXPECT_FALSE(FileExists(second));
    EXPECT_FALSE(FileExists(bell));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SoundTableTest, SoundsOnDiskAreFoundBesideTheProgramOrWhereTheNameSays)
{
    Open({{"C:\\music\\a.wav", 1, ""}, {"chime.wav", 2, ""}});
    dir.Write("a.wav", "A");
    EXPECT_EQ(table.GetNextMusic(program, false, true, false, true), dir.File("a.wav"));
    EXPECT_EQ(table.GetSoundFile(program, "Chime.wav", false, true), "");
    EXPECT_EQ(messages, (std::vector<std::string>{"Cann't find " + dir.File("chime.wav")}));

    // Not beside the program: the stored name is the path.
    messages.clear();
    EXPECT_EQ(table.GetSoundFile(program, "chime.wav", false, false), "");
    EXPECT_EQ(messages, (std::vector<std::string>{"Cann't find chime.wav"}));
}

} // namespace

// A database laid out like a real packaged project: an executable image of 0x94200 bytes, then the
// header, then seven tables at the positions the header gives, then the trailer. The "music" table is
// written byte for byte, the rest are filled to their stored sizes.
#include "DbBytes.h"

#include "db/DatabaseTable.h"
#include "db/DatabaseWriter.h"
#include "db/MemoryStream.h"
#include "db/ProjectDatabase.h"

#include <gtest/gtest.h>

using namespace DbBytes;

namespace {

constexpr std::uint32_t kBase = 0x94200;
const std::string kHeader =
    "<database><tables>project,setting,music,media,runtimelib,backimage,accfile</tables><tablestartpos>"
    "       300,     18349,     31719,   1482576,   8984202,   8984357,   8984504</tablestartpos><tablesize>"
    "     18049,     13370,   1450857,   7501626,       155,       147,       152</tablesize></database>";

const std::string kProjectFields =
    "data,appname,homesite,projectpath,projectname,dialogpicture,authorname,authorwebsite,authoremail,"
    "aboutpicture,version,copyright,description,projectdesc,banner";
const std::string kSettingFields =
    "data,filename,title,titlefontname,titlefontstyle,desc,descfontname,descfontstyle,gradientstring,effect,"
    "selectedimagebackgroundstring,bindsound,accfile";

std::string Padded(std::string table, std::size_t size)
{
    EXPECT_LE(table.size(), size);
    table.resize(size, 'x');
    return table;
}

std::string Mp3(int which)
{
    static const std::size_t sizes[] = {405362, 500244, 544979};
    return Pattern(sizes[which], 100 + static_cast<unsigned>(which));
}

std::string MusicTable()
{
    std::string t = "<music><head><fields>name,type,music</fields><binfields>001</binfields>"
                    "<recordcount>3</recordcount></head><recordinfo>";
    EXPECT_EQ(t.size(), 118u);
    t += std::string("\xa1\x00\x00\x00\x9c\x2f\x06\x00"
                     "\x3d\x30\x06\x00\x31\xa2\x07\x00"
                     "\x6e\xd2\x0d\x00\xec\x50\x08\x00",
                     24);
    t += "</recordinfo><data>";
    EXPECT_EQ(t.size(), 161u);
    t += std::string("\x1a\x00\x00\x00\x04\x00\x00\x00\x72\x2f\x06\x00", 12);
    t += "Thunder_Boom_040818_02.mp3";
    t += std::string("\x01\x00\x00\x00", 4);
    t += Mp3(0);
    EXPECT_EQ(t.size(), 405565u);
    t += Record({"Rain_Loop.mp3", U32(1), Mp3(1)});
    EXPECT_EQ(t.size(), 905838u);
    t += Record({"Birds.mp3", U32(1), Mp3(2)});
    t += "</data></music>";
    EXPECT_EQ(t.size(), 1450857u);
    return t;
}

// The picture fills the "media" table to its stored size.
std::string MediaPicture()
{
    std::string empty = Table("media", "name,media", "01", {{"sunset.jpg", ""}});
    return Pattern(7501626 - empty.size(), 7);
}

class WorkedExample : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new TempDir;
        ASSERT_EQ(kHeader.size(), 300u);
        std::string file = Pattern(kBase, 1) + kHeader;
        std::string project = Table(
            "project", kProjectFields, "000000000000001",
            {{Pattern(80, 2), "Quill Show", "http://example.com", "C:\\show", "Autumn", "", "A. Author",
              "http://author", "a@example.com", "", "1.0", "(c)", "Leaves", "A show of leaves", Pattern(5000, 3)}});
        file += Padded(project, 18049);
        std::vector<std::vector<std::string>> settings;
        for (int i = 0; i < 2; ++i)
            settings.push_back({Pattern(164, 10 + static_cast<unsigned>(i)), "sunset.jpg", "Title", "Arial", "", "", "",
                                "", "0;1;", "3;", "", "", ""});
        file += Padded(Table("setting", kSettingFields, "0000000000000", settings), 13370);
        file += MusicTable();
        file += Table("media", "name,media", "01", {{"sunset.jpg", MediaPicture()}});
        file += Padded(Table("runtimelib", "name,libs", "01", {}), 155);
        file += Padded(Table("backimage", "name", "0", {}), 147);
        file += Pattern(152, 9); // listed, never filled
        EXPECT_EQ(file.size(), kBase + 8984656u);
        file += U32(kBase);
        path_ = new std::string(dir_->Write("show.scr", file));
    }
    static void TearDownTestSuite()
    {
        delete path_;
        delete dir_;
    }
    void SetUp() override
    {
        ASSERT_EQ(ReadDatabaseTrailer(*path_), kBase);
        ASSERT_TRUE(db_.Open(*path_, kBase));
    }

    static TempDir* dir_;
    static std::string* path_;
    ProjectDatabase db_;
};
TempDir* WorkedExample::dir_ = nullptr;
std::string* WorkedExample::path_ = nullptr;

TEST_F(WorkedExample, DirectoryHasEveryTableWithItsPositionAndSize)
{
    EXPECT_TRUE(db_.HasHeader());
    const char* names[] = {"project", "setting", "music", "media", "runtimelib", "backimage", "accfile"};
    const std::int64_t starts[] = {300, 18349, 31719, 1482576, 8984202, 8984357, 8984504};
    const std::int64_t sizes[] = {18049, 13370, 1450857, 7501626, 155, 147, 152};
    ASSERT_EQ(db_.GetTableCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(db_.GetTable(i)->name, names[i]);
        EXPECT_EQ(db_.GetTable(i)->start, starts[i]);
        EXPECT_EQ(db_.GetTable(i)->size, sizes[i]);
        EXPECT_EQ(db_.FindTable(names[i]), db_.GetTable(i));
    }
    EXPECT_EQ(db_.FindTable("Music"), nullptr);
}

TEST_F(WorkedExample, MusicRecordsAreReadFieldForField)
{
    DatabaseTable music;
    music.SetLoadBinaryFields(false);
    ASSERT_TRUE(music.Open(db_, "music"));
    ASSERT_EQ(music.GetFieldCount(), 3);
    EXPECT_EQ(music.GetField(0).name, "name");
    EXPECT_FALSE(music.GetField(1).binary);
    EXPECT_TRUE(music.GetField(2).binary);
    ASSERT_EQ(music.GetRecordCount(), 3);
    EXPECT_EQ(music.GetRecordInfo(0).offset, 161u);
    EXPECT_EQ(music.GetRecordInfo(1).offset, 405565u);
    EXPECT_EQ(music.GetRecordInfo(2).offset, 905838u);
    EXPECT_EQ(music.GetRecordInfo(0).size, 405404u);
    EXPECT_EQ(music.GetRecordInfo(1).size, 500273u);
    EXPECT_EQ(music.GetRecordInfo(2).size, 545004u);

    const char* names[] = {"Thunder_Boom_040818_02.mp3", "Rain_Loop.mp3", "Birds.mp3"};
    int seen = 0;
    music.MoveFirst();
    while (!music.IsAtEnd()) {
        ASSERT_LT(seen, 3);
        EXPECT_EQ(music.GetCurrentIndex(), seen);
        EXPECT_EQ(music.GetFieldString("name"), names[seen]);
        EXPECT_EQ(music.ReadFieldInt("type"), 1);
        // The music stays on disk until asked for.
        EXPECT_EQ(music.GetField(2).value.GetSize(), 0u);
        EXPECT_EQ(music.GetFieldLength("music"), Mp3(seen).size());
        MemoryStream stream;
        ASSERT_TRUE(music.ReadBinaryField("music", stream));
        EXPECT_TRUE(stream.View() == Mp3(seen)) << "record " << seen;
        music.MoveNext();
        ++seen;
    }
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(music.GetCurrentIndex(), 2);
    // Position of the first value: base + table start + record offset + length array + name + type.
    music.MoveTo(0);
    EXPECT_EQ(music.GetField(2).position, kBase + 31719u + 161u + 12u + 26u + 4u);
}

TEST_F(WorkedExample, ProjectSettingMediaAndUnfilledTables)
{
    DatabaseTable project, setting, media, accfile, runtimelib, backimage;
    for (auto* t : {&project, &setting, &media, &accfile, &runtimelib, &backimage})
        t->SetLoadBinaryFields(false);
    ASSERT_TRUE(project.Open(db_, "project"));
    EXPECT_EQ(project.GetFieldCount(), 15);
    EXPECT_EQ(project.GetFieldString("appname"), "Quill Show");
    EXPECT_EQ(project.GetFieldString("dialogpicture"), "");
    unsigned char options[80] = {};
    EXPECT_EQ(project.CopyFieldBytes("data", options, sizeof options), 80u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(options), 80), Pattern(80, 2));

    ASSERT_TRUE(setting.Open(db_, "setting"));
    ASSERT_EQ(setting.GetRecordCount(), 2);
    setting.MoveTo(1);
    unsigned char record[164] = {};
    setting.CopyFieldBytes("data", record, sizeof record);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(record), 164), Pattern(164, 11));
    EXPECT_EQ(setting.GetFieldString("effect"), "3;");

    ASSERT_TRUE(media.Open(db_, "media"));
    ASSERT_EQ(media.GetRecordCount(), 1);
    MemoryStream picture;
    ASSERT_TRUE(media.ReadBinaryField("media", picture));
    EXPECT_TRUE(picture.View() == MediaPicture());

    ASSERT_TRUE(runtimelib.Open(db_, "runtimelib"));
    EXPECT_EQ(runtimelib.GetRecordCount(), 0);
    ASSERT_TRUE(backimage.Open(db_, "backimage"));
    EXPECT_EQ(backimage.GetFieldCount(), 1);
    ASSERT_TRUE(accfile.Open(db_, "accfile"));
    EXPECT_EQ(accfile.GetFieldCount(), 0);
    EXPECT_EQ(accfile.GetRecordCount(), 0);
}

TEST_F(WorkedExample, WriterProducesTheSameTableBytes)
{
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    music.AddRecord({"Thunder_Boom_040818_02.mp3", U32(1), Mp3(0)});
    music.AddRecord({"Rain_Loop.mp3", U32(1), Mp3(1)});
    music.AddRecord({"Birds.mp3", U32(1), Mp3(2)});
    std::string written = dir_->File("music.m__");
    ASSERT_TRUE(WriteTableFile(music, written));
    EXPECT_TRUE(TempDir::Read(written) == MusicTable());
}

} // namespace

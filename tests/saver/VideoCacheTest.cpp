#include "ShowFixture.h"
#include "support/TempDir.h"

#include "saver/SaverFiles.h"
#include "saver/VideoCache.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TEST(VideoCacheNames, DigitCodedFolderAndFileBelowTheTemporaryDirectory)
{
    EXPECT_EQ(CachedVideoPath("C:\\Temp\\", "C:\\Windows\\show.scr", "C:\\clips\\a.avi"),
              "C:\\Temp\\115104111119\\97.avi");
    // A missing trailing separator is added.
    EXPECT_EQ(CachedVideoPath("C:\\Temp", "show.scr", "a.avi"), "C:\\Temp\\115104111119\\97.avi");
    EXPECT_EQ(HiddenVideoName("C:\\Temp\\115104111119\\97.avi"), "C:\\Temp\\115104111119\\97");
    // Characters above 127 count as negative numbers.
    EXPECT_EQ(CachedVideoPath("T\\", "\xE9.scr", "\xE9.avi"), "T\\-23\\-23.avi");
}

TEST(VideoCacheNames, DotsInFoldersStayInTheirFolders)
{
    // A dot in the stored path's folder is not the file's extension.
    EXPECT_EQ(CachedVideoPath("T\\", "show.scr", "C:\\my.clips\\clip"), "T\\115104111119\\99108105112");
    // A copy without extension in a temporary folder with a dot keeps its name and folder.
    const std::string path = "C:\\Users\\john.doe\\Temp\\115104111119\\99108105112";
    EXPECT_EQ(HiddenVideoName(path), path);
    EXPECT_EQ(HiddenVideoName("C:\\Users\\john.doe\\Temp\\1\\97.avi"), "C:\\Users\\john.doe\\Temp\\1\\97");
}

namespace {

// The real file system, with the temporary directory moved into a test folder.
class FolderFiles : public ISaverFiles {
public:
    explicit FolderFiles(std::string temp) : temp_(std::move(temp)) { }
    bool FileExists(const std::string& p) override { return real_.FileExists(p); }
    bool IsDirectory(const std::string& p) override { return real_.IsDirectory(p); }
    bool CreateDirectories(const std::string& p) override { return real_.CreateDirectories(p); }
    bool Rename(const std::string& a, const std::string& b) override { return real_.Rename(a, b); }
    bool Delete(const std::string& p) override { return real_.Delete(p); }
    bool WriteFile(const std::string& p, const std::function<bool(FileBase&)>& fill) override
    {
        ++writes;
        return real_.WriteFile(p, fill);
    }
    std::string TempDirectory() override { return temp_; }
    int writes = 0;

private:
    std::string temp_;
    SaverFiles real_;
};

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

class CachedVideos : public ShowFixture {
protected:
    TempDir dir;
    // The folder with the platform's own separator at its end, as the system gives its temporary folder.
    std::string temp = (dir.Path() / "").string();
    FolderFiles folder{temp};
    fs::path Cache() const { return dir.Path() / "115104111119"; }

    void SetUp() override
    {
        options.mediaStored = true;
        options.programPath = "C:\\apps\\show.scr";
        files = &folder;
    }
    // The show ends (hiding its copy) while the folder it works in still exists.
    void TearDown() override { show.reset(); }
};

TEST_F(CachedVideos, StoredVideoIsWrittenOnceUnderItsDigitNameAndHiddenAtTheEnd)
{
    items = {{2, "C:\\clips\\a.avi"}};
    Start();
    const std::string expected = temp + "115104111119\\97.avi";
    MediaSequencer& seq = show->Session().Sequencer();
    EXPECT_EQ(seq.CurrentTemporaryVideo(), expected);
    EXPECT_EQ(seq.TemporaryFiles(), (std::vector<std::string>{temp + "115104111119\\97", expected}));
    EXPECT_EQ(Read(Cache() / "97.avi"), "C:\\clips\\a.avi"); // the stored bytes of the item
    EXPECT_TRUE(Contains(journal, "video#1 path " + expected));
    // The player gets the copy at once: the item starts on time.
    EXPECT_EQ(loop.Now(), 0u);

    show->Destroy();
    EXPECT_FALSE(fs::exists(Cache() / "97.avi"));
    EXPECT_EQ(Read(Cache() / "97"), "C:\\clips\\a.avi");
}

TEST_F(CachedVideos, HiddenCopyFromAnEarlierRunIsTakenBackInsteadOfWritten)
{
    fs::create_directories(Cache());
    std::ofstream(Cache() / "97", std::ios::binary) << "earlier copy";
    items = {{2, "a.avi"}};
    Start();
    EXPECT_EQ(folder.writes, 0);
    EXPECT_EQ(Read(Cache() / "97.avi"), "earlier copy");
    EXPECT_FALSE(fs::exists(Cache() / "97"));
    EXPECT_EQ(loop.Now(), 0u);
}

TEST_F(CachedVideos, OnlyTheLastVideoStaysHiddenAfterTheShow)
{
    items = {{2, "a.avi"}, {2, "b.avi"}};
    Start();
    loop.RunUntil(6000); // a: 1 s writing + 5 s movie; then b is written
    ASSERT_EQ(PresentedFiles(), (std::vector<std::string>{"a.avi", "b.avi"}));
    // The previous copy went back under its hidden name when the next was prepared.
    EXPECT_TRUE(fs::exists(Cache() / "97"));
    EXPECT_TRUE(fs::exists(Cache() / "98.avi"));
    show->Destroy();
    EXPECT_FALSE(fs::exists(Cache() / "97"));
    EXPECT_FALSE(fs::exists(Cache() / "97.avi"));
    EXPECT_FALSE(fs::exists(Cache() / "98.avi"));
    EXPECT_TRUE(fs::exists(Cache() / "98"));
}

TEST_F(CachedVideos, TheSameVideoTwiceIsListedOnce)
{
    items = {{2, "a.avi"}, {0, "x.jpg"}};
    options.displayTime = 0;
    Start();
    loop.RunUntil(9000); // a (1 s write, 5 s), x (2 s), a again from the hidden copy
    ASSERT_EQ(PresentedFiles(), (std::vector<std::string>{"a.avi", "x.jpg", "a.avi"}));
    EXPECT_EQ(show->Session().Sequencer().TemporaryFiles().size(), 2u);
    EXPECT_EQ(folder.writes, 1);
}

TEST_F(CachedVideos, AVideoShownAgainAfterOthersIsTheCopyKeptHidden)
{
    items = {{2, "a.avi"}, {2, "b.avi"}};
    options.displayTime = 0;
    Start();
    loop.RunUntil(12500); // a (1 s write, 5 s), b (1 s write, 5 s), a again from its hidden copy
    ASSERT_EQ(PresentedFiles(), (std::vector<std::string>{"a.avi", "b.avi", "a.avi"}));
    show->Destroy();
    EXPECT_EQ(Read(Cache() / "97"), "a.avi");
    EXPECT_FALSE(fs::exists(Cache() / "97.avi"));
    EXPECT_FALSE(fs::exists(Cache() / "98"));
    EXPECT_FALSE(fs::exists(Cache() / "98.avi"));
}

TEST_F(CachedVideos, MissingMediaDataLeavesNoCopyForLaterRuns)
{
    items = {{2, "a.avi"}};
    mediaDataFound = false;
    Start();
    EXPECT_FALSE(fs::exists(Cache() / "97.avi"));
    show->Destroy();
    // An empty copy kept here would be taken back by every later run, even one whose project has the data.
    EXPECT_FALSE(fs::exists(Cache() / "97"));
}

TEST(SaverFilesWrite, AWholeWriteReplacesTheFileAndLeavesNothingBeside)
{
    TempDir dir;
    const fs::path file = dir.Path() / "97.avi";
    std::ofstream(file, std::ios::binary) << "older and longer copy";
    SaverFiles files;
    const auto bytes = [](std::string text) {
        return [text](FileBase& f) { return f.Write(text.data(), text.size()); };
    };
    ASSERT_TRUE(files.WriteFile(file.string(), bytes("new")));
    EXPECT_EQ(Read(file), "new");
    ASSERT_TRUE(files.WriteFile(file.string(), bytes("")));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    EXPECT_FALSE(files.WriteFile((dir.Path() / "missing" / "97.avi").string(), bytes("x")));
    // Data that is not there makes no copy and leaves the one before as it was.
    EXPECT_FALSE(files.WriteFile(file.string(), [](FileBase&) { return false; }));
    EXPECT_EQ(fs::file_size(file), 0u);
}

#include "platform/DiagnosticLog.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>

namespace {
// A program path inside the folder, written the way the system hands it over.
std::string ProgramIn(const TempDir& dir)
{
    return dir.File("show.scr");
}
} // namespace

TEST(Log, StaysOffAndCreatesNothingWithoutItsFile)
{
    TempDir dir;
    {
        DiagnosticLog log(ProgramIn(dir));
        EXPECT_FALSE(log.IsOn());
        log.WritePrefix(".\\Screensaver", 1);
        log.WriteMessage("nothing %d", 1);
    }
    EXPECT_FALSE(FileExists(dir.File("kado.log")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(Log, StaysOffForAProgramPathWithoutFolderOrAFolderNamedLikeTheLog)
{
    DiagnosticLog bare("show.scr");
    EXPECT_FALSE(bare.IsOn());

    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "kado.log");
    DiagnosticLog log(ProgramIn(dir));
    EXPECT_FALSE(log.IsOn());
}

TEST(Log, AppendsBeginEntriesAndEndToWhatIsThere)
{
    TempDir dir;
    dir.Write("kado.log", "earlier run\n");
    VirtualClock clock(60000);
    {
        DiagnosticLog log(ProgramIn(dir));
        ASSERT_TRUE(log.IsOn());
        log.SetClock(&clock);
        log.Entry(".\\Screensaver", 73, "screensaver file : %s", "C:\\WINDOWS\\show.scr");
    }
    EXPECT_EQ(ReadLog(dir.File("kado.log")),
              std::string("earlier run\n") + kLogBegin +
                  "(60000)[Screensaver,(73)] : screensaver file : C:\\WINDOWS\\show.scr\n" + kLogEnd);
}

TEST(Log, EmptyMessageLeavesThePrefixForTheNextEntryToContinue)
{
    std::string text = LogOf([](DiagnosticLog& log) {
        log.WritePrefix(".\\ScreensaverDlg", 5);
        log.WriteMessage("%s", "");
        log.WritePrefix(".\\ScreensaverDlg", 6);
        log.WriteMessage("Here");
    });
    EXPECT_EQ(text,
              std::string(kLogBegin) + "(60000)[ScreensaverDlg,(5)] : (60000)[ScreensaverDlg,(6)] : Here\n" + kLogEnd);
}

TEST(Log, SourceWithoutBackslashWritesTheMessageAlone)
{
    std::string text = LogOf([](DiagnosticLog& log) {
        log.WritePrefix("Screensaver", 9);
        log.WriteMessage("plain");
    });
    EXPECT_EQ(text, std::string(kLogBegin) + "plain\n" + kLogEnd);
}

TEST(Log, TagIsTheLastPartCutAt39Characters)
{
    std::string longTag(50, 't');
    std::string text = LogOf([&](DiagnosticLog& log) {
        log.WritePrefix((".\\src\\" + longTag).c_str(), 1);
        log.WriteMessage("x");
        log.WritePrefix(".\\a\\VideoPlayer", 2);
        log.WriteMessage("y");
    });
    EXPECT_EQ(text,
              std::string(kLogBegin) + "(60000)[" + std::string(39, 't') + ",(1)] : x\n" +
                  "(60000)[VideoPlayer,(2)] : y\n" + kLogEnd);
}

TEST(Log, MessageIsCutAt1023Characters)
{
    std::string longText(3000, 'm');
    std::string text = LogOf([&](DiagnosticLog& log) {
        log.WritePrefix(".\\Background", 1);
        log.WriteMessage("%s", longText.c_str());
    });
    EXPECT_EQ(text, std::string(kLogBegin) + "(60000)[Background,(1)] : " + std::string(1023, 'm') + "\n" + kLogEnd);
}

// Texts of the runtime are in its ANSI code page; Windows keeps its log in that code page, the Linux log is
// UTF-8. A path the system handed over is its own text already and is written as it is.
TEST(Log, CodePageTextIsWrittenInTheSystemsOwnEncoding)
{
    const std::string name = "caf\xE9 \x80.jpg"; // café €.jpg in Windows-1252
    const std::string path = "/home/zo\xC3\xA9"; // a UTF-8 folder name
    std::string text = LogOf([&](DiagnosticLog& log) {
        log.Entry(".\\ScreensaverDlg", 1, "Media name = %s", name.c_str());
        log.SystemEntry(".\\Screensaver", 2, "screensaver file : %s", path.c_str());
        log.WritePrefix(".\\Background", 3);
        log.WriteMessage("%s", std::string(3000, '\xE9').c_str()); // cut at 1023 bytes, then converted
        log.Entry(".\\Background", 4, "[\x81\x9D]");               // bytes Windows-1252 leaves undefined
    });
#ifdef _WIN32
    const std::string wantName = name, wantLong(1023, '\xE9'), wantUndefined = "[\x81\x9D]";
#else
    const std::string wantName = "caf\xC3\xA9 \xE2\x82\xAC.jpg", wantUndefined = "[\xC2\x81\xC2\x9D]";
    std::string wantLong;
    for (int i = 0; i < 1023; ++i)
        wantLong += "\xC3\xA9";
#endif
    EXPECT_EQ(text,
              std::string(kLogBegin) + "(60000)[ScreensaverDlg,(1)] : Media name = " + wantName + "\n" +
                  "(60000)[Screensaver,(2)] : screensaver file : " + path + "\n" + "(60000)[Background,(3)] : " +
                  wantLong + "\n" + "(60000)[Background,(4)] : " + wantUndefined + "\n" + kLogEnd);
}

TEST(Log, TickCountBeyondTheSignedRangePrintsNegative)
{
    std::string text = LogOf(
        [](DiagnosticLog& log) {
            log.WritePrefix(".\\Screensaver", 1);
            log.WriteMessage("late");
        },
        0xFFFFFC18u);
    EXPECT_EQ(text, std::string(kLogBegin) + "(-1000)[Screensaver,(1)] : late\n" + kLogEnd);
}

TEST(Log, FormatsLikePrintf)
{
    std::string text = LogOf([](DiagnosticLog& log) {
        log.WritePrefix(".\\ImageSlideShowPlayer", 42);
        log.WriteMessage("neww=%d , newh=%d , %u%%", 640, -480, 7u);
    });
    EXPECT_EQ(text,
              std::string(kLogBegin) + "(60000)[ImageSlideShowPlayer,(42)] : neww=640 , newh=-480 , 7%\n" + kLogEnd);
}

TEST(Log, MessagesOfTwoThreadsStayWholeLines)
{
    std::string text = LogOf([](DiagnosticLog& log) {
        auto writer = [&log](const char* message) {
            for (int i = 0; i < 500; ++i)
                log.WriteMessage("%s", message);
        };
        std::thread worker(writer, "end a transition show");
        writer("Show Next media file");
        worker.join();
    });
    std::istringstream lines(text);
    std::string line;
    int transition = 0, next = 0;
    while (std::getline(lines, line)) {
        transition += line == "end a transition show";
        next += line == "Show Next media file";
    }
    EXPECT_EQ(transition, 500);
    EXPECT_EQ(next, 500);
}

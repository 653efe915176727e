#include "platform/DiagnosticLog.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>

namespace {
const char kBegin[] = "----------------------------Begin-----------------------------\n";
const char kEnd[] = "----------------------------End-------------------------------\n";

// A program path inside the folder, written the way the system hands it over.
std::string ProgramIn(const TempDir& dir)
{
    return dir.File("show.scr");
}

// The log's text as lines end on every system (Windows writes it in text mode).
std::string ReadLog(const std::string& path)
{
    std::string text = TempDir::Read(path), lines;
    for (char c : text) {
        if (c != '\r')
            lines += c;
    }
    return lines;
}

// Runs body with a log beside a program in a fresh folder holding an empty kado.log; returns the log text.
template <typename Body> std::string LogOf(Body body, uint32_t tick = 60000)
{
    TempDir dir;
    dir.Write("kado.log", "");
    VirtualClock clock(tick);
    {
        DiagnosticLog log(ProgramIn(dir));
        log.SetClock(&clock);
        body(log);
    }
    return ReadLog(dir.File("kado.log"));
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
              std::string("earlier run\n") + kBegin +
                  "(60000)[Screensaver,(73)] : screensaver file : C:\\WINDOWS\\show.scr\n" + kEnd);
}

TEST(Log, EmptyMessageLeavesThePrefixForTheNextEntryToContinue)
{
    std::string text = LogOf([](DiagnosticLog& log) {
        log.WritePrefix(".\\ScreensaverDlg", 5);
        log.WriteMessage("%s", "");
        log.WritePrefix(".\\ScreensaverDlg", 6);
        log.WriteMessage("Here");
    });
    EXPECT_EQ(text, std::string(kBegin) + "(60000)[ScreensaverDlg,(5)] : (60000)[ScreensaverDlg,(6)] : Here\n" + kEnd);
}

TEST(Log, SourceWithoutBackslashWritesTheMessageAlone)
{
    std::string text = LogOf([](DiagnosticLog& log) {
        log.WritePrefix("Screensaver", 9);
        log.WriteMessage("plain");
    });
    EXPECT_EQ(text, std::string(kBegin) + "plain\n" + kEnd);
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
              std::string(kBegin) + "(60000)[" + std::string(39, 't') + ",(1)] : x\n" +
                  "(60000)[VideoPlayer,(2)] : y\n" + kEnd);
}

TEST(Log, MessageIsCutAt1023Characters)
{
    std::string longText(3000, 'm');
    std::string text = LogOf([&](DiagnosticLog& log) {
        log.WritePrefix(".\\Background", 1);
        log.WriteMessage("%s", longText.c_str());
    });
    EXPECT_EQ(text, std::string(kBegin) + "(60000)[Background,(1)] : " + std::string(1023, 'm') + "\n" + kEnd);
}

TEST(Log, TickCountBeyondTheSignedRangePrintsNegative)
{
    std::string text = LogOf(
        [](DiagnosticLog& log) {
            log.WritePrefix(".\\Screensaver", 1);
            log.WriteMessage("late");
        },
        0xFFFFFC18u);
    EXPECT_EQ(text, std::string(kBegin) + "(-1000)[Screensaver,(1)] : late\n" + kEnd);
}

TEST(Log, FormatsLikePrintf)
{
    std::string text = LogOf([](DiagnosticLog& log) {
        log.WritePrefix(".\\ImageSlideShowPlayer", 42);
        log.WriteMessage("neww=%d , newh=%d , %u%%", 640, -480, 7u);
    });
    EXPECT_EQ(text, std::string(kBegin) + "(60000)[ImageSlideShowPlayer,(42)] : neww=640 , newh=-480 , 7%\n" + kEnd);
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

#include "platform/LogLines.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One named line: its tag, its text as the log's readers know it, and a call that writes it and returns the
// line number it must carry (the line of the call itself, or the line's fixed number).
struct NamedLine {
    const char* tag;
    const char* text;
    int (*write)(DiagnosticLog& log);
};

const NamedLine kLines[] = {
    {"Screensaver", "screensaver file : C:\\WINDOWS\\show.scr",
     [](DiagnosticLog& l) { return (LogScreensaverFile(l, "C:\\WINDOWS\\show.scr"), __LINE__); }},
    {"Screensaver", "set as system's default screensaver!",
     [](DiagnosticLog& l) { return (LogSettingAsDefault(l), __LINE__); }},
    {"Screensaver", "default screensaver is set!", [](DiagnosticLog& l) { return (LogDefaultIsSet(l), __LINE__); }},
    {"Screensaver", "open screensaver setting dialog!",
     [](DiagnosticLog& l) { return (LogOpenSettingDialog(l), __LINE__); }},
    {"Screensaver", "setting dialog closed!", [](DiagnosticLog& l) { return (LogSettingDialogClosed(l), __LINE__); }},
    {"Screensaver", "checking password in win9x", [](DiagnosticLog& l) { return (LogCheckingPassword(l), __LINE__); }},
    {"Screensaver", "finish checking password!", [](DiagnosticLog& l) { return (LogPasswordChecked(l), __LINE__); }},
    {"Screensaver", "start mode : Configure", [](DiagnosticLog& l) { return (LogStartModeConfigure(l), __LINE__); }},
    {"Screensaver", "start mode : Preview in small screen",
     [](DiagnosticLog& l) { return (LogStartModePreview(l), __LINE__); }},
    {"Screensaver", "start mode : Normal or Press Preview button!",
     [](DiagnosticLog& l) { return (LogStartModeSaver(l), __LINE__); }},
    {"Screensaver", "start mode : change password",
     [](DiagnosticLog& l) { return (LogStartModeChangePassword(l), __LINE__); }},
    {"Screensaver", "start mode : run as an exe file",
     [](DiagnosticLog& l) { return (LogStartModeProgram(l), __LINE__); }},
    {"Screensaver", "Openning the configuration dialog!",
     [](DiagnosticLog& l) { return (LogOpeningConfiguration(l), __LINE__); }},
    {"Screensaver", "Exit from the configuration dialog!",
     [](DiagnosticLog& l) { return (LogConfigurationClosed(l), __LINE__); }},
    {"Screensaver", "notify windows a screensaver is running",
     [](DiagnosticLog& l) { return (LogNotifyRunning(l), __LINE__); }},
    {"Screensaver", "notify windows screensaver is stopped!",
     [](DiagnosticLog& l) { return (LogNotifyStopped(l), __LINE__); }},
    {"ScreensaverDlg", "Time Limitation 4294967295 minute(s)",
     [](DiagnosticLog& l) { return (LogTimeLimitation(l, 0xFFFFFFFFu), __LINE__); }},
    {"ScreensaverDlg", "show on screen -1", [](DiagnosticLog& l) { return (LogShowOnScreen(l, -1), __LINE__); }},
    {"ScreensaverDlg", "Set screensaver window top most", [](DiagnosticLog& l) { return (LogTopMost(l), __LINE__); }},
    {"ScreensaverDlg", "Here", [](DiagnosticLog& l) { return (LogHere(l), __LINE__); }},
    {"ScreensaverDlg", "Media Count = 12", [](DiagnosticLog& l) { return (LogMediaCount(l, 12), __LINE__); }},
    {"ScreensaverDlg", "Media name = 100%.jpg",
     [](DiagnosticLog& l) { return (LogMediaName(l, "100%.jpg"), __LINE__); }},
    {"ScreensaverDlg", "Do an image slide show", [](DiagnosticLog& l) { return (LogImageSlideShow(l), __LINE__); }},
    {"ScreensaverDlg", "Play a video movie", [](DiagnosticLog& l) { return (LogPlayVideo(l), __LINE__); }},
    {"ScreensaverDlg", "Unknow Media type 7", [](DiagnosticLog& l) { return (LogUnknownMediaType(l, 7), __LINE__); }},
    {"ScreensaverDlg", "Video Player0 working", [](DiagnosticLog& l) { return (LogVideoPlayer0Working(l), __LINE__); }},
    {"ScreensaverDlg", "Video Player1 working", [](DiagnosticLog& l) { return (LogVideoPlayer1Working(l), __LINE__); }},
    {"ScreensaverDlg", "Exit from PlayVideo()", [](DiagnosticLog& l) { return (LogExitPlayVideo(l), __LINE__); }},
    {"ScreensaverDlg", "Show Next media file", [](DiagnosticLog& l) { return (LogShowNextMedia(l), __LINE__); }},
    {"ImageSlideShowPlayer", "neww=1 , newh=2 , imgw=-1 , imgh=-1 , framew=5 , frameh=6",
     [](DiagnosticLog& l) { return (LogSlideScale(l, 1, 2, -1, -1, 5, 6), 226); }},
    {"Background", "draw gradient backgroup 11", [](DiagnosticLog& l) { return (LogGradientBackground(l, 11), 211); }},
    {"TransitionEffects", "begin a transition show , transition effect index = 160 ",
     [](DiagnosticLog& l) { return (LogTransitionBegin(l, 160), 126); }},
    {"TransitionEffects", "end a transition show", [](DiagnosticLog& l) { return (LogTransitionEnd(l), 617); }},
    {"VideoPlayer", "Movie stops , Loop Media!", [](DiagnosticLog& l) { return (LogMovieLoops(l), __LINE__); }},
    {"VideoPlayer", "Movie stops , Show Next Media!",
     [](DiagnosticLog& l) { return (LogMovieShowsNext(l), __LINE__); }},
    {"AvLibrary", "cannot load FFmpeg: libavcodec.so.59: 100%",
     [](DiagnosticLog& l) { return (LogFfmpegMissing(l, "libavcodec.so.59: 100%"), __LINE__); }},
};

class LogLine : public ::testing::TestWithParam<NamedLine> { };

} // namespace

TEST_P(LogLine, WritesItsTagAndTextAtItsLine)
{
    const NamedLine& named = GetParam();
    int line = 0;
    const std::string text = LogOf([&](DiagnosticLog& log) { line = named.write(log); });
    EXPECT_EQ(text,
              std::string(kLogBegin) + "(60000)[" + named.tag + ",(" + std::to_string(line) + ")] : " + named.text +
                  "\n" + kLogEnd);
}

INSTANTIATE_TEST_SUITE_P(EveryLine, LogLine, ::testing::ValuesIn(kLines));

#pragma once
#include <cstdint>
#include <string>

class DiagnosticLog;

// Every line the program writes to its diagnostic log, one call per line, each with its source tag and its
// text. The texts are the ones the log's readers know, word for word (misspellings included). A line
// carries the line number of its call, so that a log points at the code that wrote it; the lines marked
// "fixed" print the number they have always printed, wherever they are called from.
struct LogSite {
    // As a default argument, the line of the call that leaves the argument out. (std::source_location says
    // the same, but not every compiler that reads this code has it for this standard library.)
    static constexpr LogSite Here(unsigned line = __builtin_LINE()) { return LogSite{line}; }
    constexpr unsigned Line() const { return lineNumber; }
    unsigned lineNumber = 0;
};

// Tag Screensaver: start-up.
void LogScreensaverFile(DiagnosticLog& log, const std::string& programPath, LogSite site = LogSite::Here());
void LogSettingAsDefault(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogDefaultIsSet(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogOpenSettingDialog(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogSettingDialogClosed(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogCheckingPassword(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogPasswordChecked(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogStartModeConfigure(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogStartModePreview(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogStartModeSaver(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogStartModeChangePassword(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogStartModeProgram(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogOpeningConfiguration(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogConfigurationClosed(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogNotifyRunning(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogNotifyStopped(DiagnosticLog& log, LogSite site = LogSite::Here());

// Tag ScreensaverDlg: the screensaver window and its sequence of items.
void LogTimeLimitation(DiagnosticLog& log, uint32_t minutes, LogSite site = LogSite::Here());
void LogShowOnScreen(DiagnosticLog& log, int monitor, LogSite site = LogSite::Here());
void LogTopMost(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogHere(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogMediaCount(DiagnosticLog& log, int count, LogSite site = LogSite::Here());
// name: the item's stored name, in the ANSI code page.
void LogMediaName(DiagnosticLog& log, const std::string& name, LogSite site = LogSite::Here());
void LogImageSlideShow(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogPlayVideo(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogUnknownMediaType(DiagnosticLog& log, int type, LogSite site = LogSite::Here());
void LogVideoPlayer0Working(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogVideoPlayer1Working(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogExitPlayVideo(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogShowNextMedia(DiagnosticLog& log, LogSite site = LogSite::Here());

// Tag ImageSlideShowPlayer, fixed at 226: a slide's scaled size, its picture's and its frame's.
void LogSlideScale(DiagnosticLog& log, int newWidth, int newHeight, int imageWidth, int imageHeight, int frameWidth,
                   int frameHeight);
// Tag Background, fixed at 211: the preset gradient pair drawn.
void LogGradientBackground(DiagnosticLog& log, int pair);
// Tag TransitionEffects, fixed at 126 and 617: a transition's start and end.
void LogTransitionBegin(DiagnosticLog& log, int effectIndex);
void LogTransitionEnd(DiagnosticLog& log);

// Tag VideoPlayer: a video's end.
void LogMovieLoops(DiagnosticLog& log, LogSite site = LogSite::Here());
void LogMovieShowsNext(DiagnosticLog& log, LogSite site = LogSite::Here());

// Tag AvLibrary: the Linux program found no FFmpeg to play sounds and videos with (error: the system's).
void LogFfmpegMissing(DiagnosticLog& log, const std::string& error, LogSite site = LogSite::Here());

#pragma once
#include <cstdint>
#include <source_location>
#include <string>

class DiagnosticLog;

// Every line the program writes to its diagnostic log, one call per line, each with its source tag and its
// text. The texts are the ones the log's readers know, word for word (misspellings included). A line
// carries the line number of its call, so that a log points at the code that wrote it; the lines marked
// "fixed" print the number they have always printed, wherever they are called from.
using LogSite = std::source_location;

// Tag Screensaver: start-up.
void LogScreensaverFile(DiagnosticLog& log, const std::string& programPath, LogSite site = LogSite::current());
void LogSettingAsDefault(DiagnosticLog& log, LogSite site = LogSite::current());
void LogDefaultIsSet(DiagnosticLog& log, LogSite site = LogSite::current());
void LogOpenSettingDialog(DiagnosticLog& log, LogSite site = LogSite::current());
void LogSettingDialogClosed(DiagnosticLog& log, LogSite site = LogSite::current());
void LogCheckingPassword(DiagnosticLog& log, LogSite site = LogSite::current());
void LogPasswordChecked(DiagnosticLog& log, LogSite site = LogSite::current());
void LogStartModeConfigure(DiagnosticLog& log, LogSite site = LogSite::current());
void LogStartModePreview(DiagnosticLog& log, LogSite site = LogSite::current());
void LogStartModeSaver(DiagnosticLog& log, LogSite site = LogSite::current());
void LogStartModeChangePassword(DiagnosticLog& log, LogSite site = LogSite::current());
void LogStartModeProgram(DiagnosticLog& log, LogSite site = LogSite::current());
void LogOpeningConfiguration(DiagnosticLog& log, LogSite site = LogSite::current());
void LogConfigurationClosed(DiagnosticLog& log, LogSite site = LogSite::current());
void LogNotifyRunning(DiagnosticLog& log, LogSite site = LogSite::current());
void LogNotifyStopped(DiagnosticLog& log, LogSite site = LogSite::current());

// Tag ScreensaverDlg: the screensaver window and its sequence of items.
void LogTimeLimitation(DiagnosticLog& log, uint32_t minutes, LogSite site = LogSite::current());
void LogShowOnScreen(DiagnosticLog& log, int monitor, LogSite site = LogSite::current());
void LogTopMost(DiagnosticLog& log, LogSite site = LogSite::current());
void LogHere(DiagnosticLog& log, LogSite site = LogSite::current());
void LogMediaCount(DiagnosticLog& log, int count, LogSite site = LogSite::current());
// name: the item's stored name, in the ANSI code page.
void LogMediaName(DiagnosticLog& log, const std::string& name, LogSite site = LogSite::current());
void LogImageSlideShow(DiagnosticLog& log, LogSite site = LogSite::current());
void LogPlayVideo(DiagnosticLog& log, LogSite site = LogSite::current());
void LogUnknownMediaType(DiagnosticLog& log, int type, LogSite site = LogSite::current());
void LogVideoPlayer0Working(DiagnosticLog& log, LogSite site = LogSite::current());
void LogVideoPlayer1Working(DiagnosticLog& log, LogSite site = LogSite::current());
void LogExitPlayVideo(DiagnosticLog& log, LogSite site = LogSite::current());
void LogShowNextMedia(DiagnosticLog& log, LogSite site = LogSite::current());

// Tag ImageSlideShowPlayer, fixed at 226: a slide's scaled size, its picture's and its frame's.
void LogSlideScale(DiagnosticLog& log, int newWidth, int newHeight, int imageWidth, int imageHeight, int frameWidth,
                   int frameHeight);
// Tag Background, fixed at 211: the preset gradient pair drawn.
void LogGradientBackground(DiagnosticLog& log, int pair);
// Tag TransitionEffects, fixed at 126 and 617: a transition's start and end.
void LogTransitionBegin(DiagnosticLog& log, int effectIndex);
void LogTransitionEnd(DiagnosticLog& log);

// Tag VideoPlayer: a video's end.
void LogMovieLoops(DiagnosticLog& log, LogSite site = LogSite::current());
void LogMovieShowsNext(DiagnosticLog& log, LogSite site = LogSite::current());

// Tag AvLibrary: the Linux program found no FFmpeg to play sounds and videos with (error: the system's).
void LogFfmpegMissing(DiagnosticLog& log, const std::string& error, LogSite site = LogSite::current());

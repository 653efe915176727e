#include "platform/LogLines.h"

#include "platform/DiagnosticLog.h"

namespace {

const char kScreensaver[] = ".\\Screensaver";
const char kScreensaverDlg[] = ".\\ScreensaverDlg";
const char kImageSlideShowPlayer[] = ".\\ImageSlideShowPlayer";
const char kBackground[] = ".\\Background";
const char kTransitionEffects[] = ".\\TransitionEffects";
const char kVideoPlayer[] = ".\\VideoPlayer";
const char kAvLibrary[] = ".\\AvLibrary";

int LineOf(const LogSite& site)
{
    return static_cast<int>(site.Line());
}

void Plain(DiagnosticLog& log, const char* source, const LogSite& site, const char* text)
{
    log.Entry(source, LineOf(site), "%s", text);
}

} // namespace

void LogScreensaverFile(DiagnosticLog& log, const std::string& programPath, LogSite site)
{
    // The path as the system gave it to the program.
    log.SystemEntry(kScreensaver, LineOf(site), "screensaver file : %s", programPath.c_str());
}

void LogSettingAsDefault(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "set as system's default screensaver!");
}

void LogDefaultIsSet(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "default screensaver is set!");
}

void LogOpenSettingDialog(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "open screensaver setting dialog!");
}

void LogSettingDialogClosed(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "setting dialog closed!");
}

void LogCheckingPassword(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "checking password in win9x");
}

void LogPasswordChecked(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "finish checking password!");
}

void LogStartModeConfigure(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "start mode : Configure");
}

void LogStartModePreview(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "start mode : Preview in small screen");
}

void LogStartModeSaver(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "start mode : Normal or Press Preview button!");
}

void LogStartModeChangePassword(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "start mode : change password");
}

void LogStartModeProgram(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "start mode : run as an exe file");
}

void LogOpeningConfiguration(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "Openning the configuration dialog!");
}

void LogConfigurationClosed(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "Exit from the configuration dialog!");
}

void LogNotifyRunning(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "notify windows a screensaver is running");
}

void LogNotifyStopped(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaver, site, "notify windows screensaver is stopped!");
}

void LogTimeLimitation(DiagnosticLog& log, uint32_t minutes, LogSite site)
{
    log.Entry(kScreensaverDlg, LineOf(site), "Time Limitation %u minute(s)", static_cast<unsigned>(minutes));
}

void LogShowOnScreen(DiagnosticLog& log, int monitor, LogSite site)
{
    log.Entry(kScreensaverDlg, LineOf(site), "show on screen %d", monitor);
}

void LogTopMost(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Set screensaver window top most");
}

void LogHere(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Here");
}

void LogMediaCount(DiagnosticLog& log, int count, LogSite site)
{
    log.Entry(kScreensaverDlg, LineOf(site), "Media Count = %d", count);
}

void LogMediaName(DiagnosticLog& log, const std::string& name, LogSite site)
{
    log.Entry(kScreensaverDlg, LineOf(site), "Media name = %s", name.c_str());
}

void LogImageSlideShow(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Do an image slide show");
}

void LogPlayVideo(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Play a video movie");
}

void LogUnknownMediaType(DiagnosticLog& log, int type, LogSite site)
{
    log.Entry(kScreensaverDlg, LineOf(site), "Unknow Media type %d", type);
}

void LogVideoPlayer0Working(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Video Player0 working");
}

void LogVideoPlayer1Working(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Video Player1 working");
}

void LogExitPlayVideo(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Exit from PlayVideo()");
}

void LogShowNextMedia(DiagnosticLog& log, LogSite site)
{
    Plain(log, kScreensaverDlg, site, "Show Next media file");
}

void LogSlideScale(DiagnosticLog& log, int newWidth, int newHeight, int imageWidth, int imageHeight, int frameWidth,
                   int frameHeight)
{
    log.Entry(kImageSlideShowPlayer, 226, "neww=%d , newh=%d , imgw=%d , imgh=%d , framew=%d , frameh=%d", newWidth,
              newHeight, imageWidth, imageHeight, frameWidth, frameHeight);
}

void LogGradientBackground(DiagnosticLog& log, int pair)
{
    log.Entry(kBackground, 211, "draw gradient backgroup %d", pair);
}

void LogTransitionBegin(DiagnosticLog& log, int effectIndex)
{
    log.Entry(kTransitionEffects, 126, "begin a transition show , transition effect index = %d ", effectIndex);
}

void LogTransitionEnd(DiagnosticLog& log)
{
    log.Entry(kTransitionEffects, 617, "end a transition show");
}

void LogMovieLoops(DiagnosticLog& log, LogSite site)
{
    Plain(log, kVideoPlayer, site, "Movie stops , Loop Media!");
}

void LogMovieShowsNext(DiagnosticLog& log, LogSite site)
{
    Plain(log, kVideoPlayer, site, "Movie stops , Show Next Media!");
}

void LogFfmpegMissing(DiagnosticLog& log, const std::string& error, LogSite site)
{
    log.SystemEntry(kAvLibrary, LineOf(site), "cannot load FFmpeg: %s", error.c_str());
}

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <unistd.h>

#include "app/posix/SettingsCommand.h"
#include "app/posix/SizeArgument.h"
#include "live/LiveShow.h"
#include "live/LiveTarget.h"
#include "model/SettingsStore.h"
#include "platform/DiagnosticLog.h"
#include "platform/TemporaryPaths.h"
#include "program/posix/ShowSource.h"
#include "render/EffectCommand.h"
#include "render/RenderShow.h"
#include "scrpack/commands/CommandLineExit.h"
#include "transitions/EffectNames.h"

#include <iostream>
#include <vector>

namespace {

// "42.0 s, one pass through 7 items"
std::string LengthSaid(const RenderResult& result)
{
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", static_cast<double>(result.milliseconds) / 1000.0);
    const std::string items = std::to_string(result.items) + (result.items == 1 ? " item" : " items");
    switch (result.end) {
    case RenderResult::End::OnePass: return std::string(seconds) + ", one pass through " + items;
    case RenderResult::End::ShowEnded: return std::string(seconds) + ", until the show ended by itself";
    case RenderResult::End::LengthCap:
        return std::string(seconds) + ", the first " + std::to_string(kMaxPassSeconds / 60) + " minutes of " + items +
            " (--seconds renders more)";
    case RenderResult::End::AsAsked: break;
    }
    return seconds;
}

int Run(int argc, char** argv)
{
    CLI::App cli("Plays a packaged screensaver project on Linux.", "screensaver");
    cli.require_subcommand(1);
    cli.set_version_flag("--version", "screensaver " QM_VERSION);

    LiveOptions live;
    std::string liveFile;
    CLI::App* play = cli.add_subcommand("play", "Play the show live: full screen, in a window, or in an X window.");
    play->add_option("FILE", live.programPath,
                     "program file with the project attached (.scr), a project database, a manifest (.toml), or a "
                     "folder of pictures");
    play->add_option("--file", liveFile, "the same, as XScreenSaver's settings pass it");
    play->add_option("--monitor", live.monitor, "full screen on this monitor (0: all of them; default: the settings)");
    play->add_flag("--window", live.window, "in an ordinary window");
    play->add_option("--size", live.size, "size of that window, WIDTHxHEIGHT (default 1280x720)");
    play->add_option("--window-id", live.windowId, "draw into this X window (as XSCREENSAVER_WINDOW does)");
    play->add_flag("--root", live.root, "draw on the root window");

    RenderOptions options;
    std::string size = "1280x720";
    std::string logPath;
    CLI::App* render = cli.add_subcommand("render", "Render the show without a display, as PNG frames or a video.");
    render
        ->add_option("FILE", options.programPath,
                     "program file with the project attached (.scr), a project database, a manifest (.toml), or a "
                     "folder of pictures")
        ->required();
    render->add_option("--out", options.outDir, "folder for the frames (old frame-*.png files there are removed)");
    render->add_option("--video", options.videoPath, "write the show as a video with its sound (.mp4) instead");
    render->add_option("--size", size, "screen size WIDTHxHEIGHT, at most 8192 each")->capture_default_str();
    render->add_option("--seconds", options.seconds,
                       "length of the show (default: one pass through every item, at most 10 minutes)");
    render->add_option("--fps", options.fps, "frames per second")->capture_default_str();
    render->add_option("--log", logPath, "write the diagnostic log to this file");

    EffectCommandOptions effect;
    CLI::App* trace = cli.add_subcommand("effect", "Trace one transition effect frame by frame, as PNG frames.");
    trace
        ->add_option("INDEX", effect.index,
                     "effect index, 0 to " + std::to_string(kEffectCount - 1) +
                         " (-1: the plain copy), or its name as \"scrpack effects\" lists it")
        ->required()
        ->transform(CLI::Validator(
            [](std::string& value) {
                // A name stands for its number ("Fade" for 161); a number is checked by the command itself.
                if (value.find_first_not_of("+-0123456789") == std::string::npos)
                    return std::string();
                const int index = FindEffectByName(value);
                if (index < 0)
                    return "no effect is named \"" + value + "\" (scrpack effects lists them)";
                value = std::to_string(index);
                return std::string();
            },
            "INDEX|NAME"));
    trace->add_option("--out", effect.outDir, "folder for the frames")->required();
    trace->add_option("--window", effect.window, "window size WIDTHxHEIGHT")->capture_default_str();
    trace->add_option("--slide", effect.slidePath, "picture file to reveal (default: a test picture)");
    trace->add_option("--background", effect.background, "picture file or #RRGGBB (default: a test pattern)");
    trace->add_option("--at", effect.at, "the slide's window position X,Y (default: centred)");
    trace->add_option("--step", effect.step, "the Speed value")->capture_default_str();
    trace->add_option("--stop-after", effect.stopAfter, "raise the stop flag after frame K");

    SettingsCommandOptions settings;
    CLI::App* settingsCommand = AddSettingsCommand(cli, settings);

    // "screensaver FILE.scr" plays, and XScreenSaver's single-dash switches are understood.
    std::vector<std::string> arguments(argv, argv + argc);
    arguments = NormaliseLiveArguments(arguments, {"play", "render", "effect", "settings"});
    std::vector<char*> normalised;
    for (std::string& a : arguments)
        normalised.push_back(a.data());
    bool parsed = false;
    const int parseCode = RunCommandLine(cli, static_cast<int>(normalised.size()), normalised.data(), &parsed);
    if (!parsed)
        return parseCode;
    // Before any thread starts: an interrupt removes what the run made in the temporary folder and beside
    // its output (a live show takes the signals over and ends in order).
    RemoveTemporaryPathsOnInterrupt();

    if (play->parsed()) {
        if (live.programPath.empty())
            live.programPath = liveFile;
        if (live.programPath.empty())
            live.programPath = DefaultShowPath();
        if (live.programPath.empty()) {
            std::fprintf(stderr, "screensaver: play wants a program file with a project attached (.scr)\n");
            return 2;
        }
        std::string error;
        ShowSource source("play");
        if (!source.Resolve(live.programPath, live.programPath, error)) {
            std::fputs(error.c_str(), stderr);
            return 1;
        }
        if (!PlayLive(live, error)) {
            std::fprintf(stderr, "screensaver: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (settingsCommand->parsed())
        return RunSettingsCommand(settings, UserSettingsStore(), std::cout, std::cerr);
    if (*trace) {
        std::string summary, error;
        const int status = RunEffectCommand(effect, summary, error);
        if (status != 0) {
            std::fprintf(stderr, "screensaver: %s\n", error.c_str());
            return status;
        }
        std::printf("%s\n", summary.c_str());
        return 0;
    }

    if (!ParseSizeArgument(size, options.width, options.height)) {
        std::fprintf(stderr, "screensaver: --size wants WIDTHxHEIGHT, as 1280x720\n");
        return 2;
    }
    if (options.width > kMaxRenderSide || options.height > kMaxRenderSide) {
        std::fprintf(stderr, "screensaver: --size %s: each side may be at most %d pixels\n", size.c_str(),
                     kMaxRenderSide);
        return 2;
    }
    if (options.outDir.empty() && options.videoPath.empty()) {
        std::fprintf(stderr, "screensaver: render wants --out DIR for frames or --video FILE.mp4\n");
        return 2;
    }
    if (!logPath.empty() && !DiagnosticLog::Instance().WriteTo(logPath)) {
        std::fprintf(stderr, "screensaver: cannot write the log %s\n", logPath.c_str());
        return 1;
    }
    if (options.seconds < 0) {
        std::fprintf(stderr, "screensaver: --seconds wants a length from 1 to 86400\n");
        return 2;
    }
    std::string error;
    ShowSource source("render");
    if (!source.Resolve(options.programPath, options.programPath, error)) {
        std::fputs(error.c_str(), stderr);
        return 1;
    }
    options.progress = isatty(STDERR_FILENO) != 0;

    RenderResult result;
    if (!RenderShow(options, result, error)) {
        std::fprintf(stderr, "screensaver: %s\n", error.c_str());
        return 1;
    }
    const std::string where = !options.videoPath.empty()
        ? options.videoPath
        : options.outDir + (result.contactSheet ? ", contact-sheet.png" : "");
    std::printf("%s: %d frames (%d distinct) in %s\n", LengthSaid(result).c_str(), result.frames, result.distinctFrames,
                where.c_str());
    return 0;
}

} // namespace

// Whatever escapes a command (a failed allocation, above all) ends the program with a message and status 1,
// never with an abort.
int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("screensaver: out of memory\n", stderr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screensaver: %s\n", error.what());
    }
    return 1;
}

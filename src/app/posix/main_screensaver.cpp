#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "app/posix/RenderShow.h"
#include "app/posix/SettingsCommand.h"
#include "model/SettingsStore.h"

#include <iostream>

int main(int argc, char** argv)
{
    CLI::App cli("Plays a packaged screensaver project on Linux.");
    cli.require_subcommand(1);

    RenderOptions options;
    std::string size = "1280x720";
    CLI::App* render = cli.add_subcommand("render", "Render the show without a display, as PNG frames.");
    render->add_option("FILE", options.programPath, "program file with the project attached (.scr)")->required();
    render->add_option("--out", options.outDir, "folder for the frames")->required();
    render->add_option("--size", size, "screen size WIDTHxHEIGHT")->capture_default_str();
    render->add_option("--seconds", options.seconds, "length of the show")->capture_default_str();
    render->add_option("--fps", options.fps, "frames per second")->capture_default_str();

    SettingsCommandOptions settings;
    CLI::App* settingsCommand = AddSettingsCommand(cli, settings);

    CLI11_PARSE(cli, argc, argv);

    if (settingsCommand->parsed())
        return RunSettingsCommand(settings, UserSettingsStore(), std::cout, std::cerr);

    if (!ParseRenderSize(size, options.width, options.height)) {
        std::fprintf(stderr, "screensaver: --size wants WIDTHxHEIGHT, as 1280x720\n");
        return 2;
    }

    RenderResult result;
    std::string error;
    if (!RenderShow(options, result, error)) {
        std::fprintf(stderr, "screensaver: %s\n", error.c_str());
        return 1;
    }
    std::printf("%d frames (%d distinct) in %s%s\n", result.frames, result.distinctFrames, options.outDir.c_str(),
                result.contactSheet ? ", contact-sheet.png" : "");
    return 0;
}

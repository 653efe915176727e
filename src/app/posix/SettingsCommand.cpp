#include "app/posix/SettingsCommand.h"

#include "config/SettingsText.h"
#include "db/ProjectDatabase.h"
#include "model/ProjectInfo.h"
#include "model/UserSettings.h"

#include <CLI/CLI.hpp>

#include <ostream>

int RunSettingsCommand(const SettingsCommandOptions& options, ISettingsStore& store, std::ostream& out,
                       std::ostream& err)
{
    const int64_t base = ReadDatabaseTrailer(options.programPath);
    ProjectDatabase db;
    if (base < 0 || !db.Open(options.programPath, static_cast<uint32_t>(base)) || !db.HasHeader()) {
        err << "screensaver: no project attached to " << options.programPath << "\n";
        return 1;
    }
    ProjectInfo project;
    project.SetDatabase(&db);
    project.OpenProjectTable();
    project.Load();

    UserSettings settings;
    settings.SetKey(project.GetProjectName());
    settings.Load(store);
    if (options.reset) {
        const UserSettings firstRun;
        const auto block = firstRun.Block();
        settings.SetBlock(block.data(), block.size());
        settings.transitionList = firstRun.transitionList;
    }
    std::string error;
    if (!AssignSettings(settings, options.assignments, error)) {
        err << "screensaver: " << error << "\n";
        return 2;
    }
    if ((options.reset || !options.assignments.empty()) && !settings.Save(store)) {
        err << "screensaver: cannot store the settings of " << project.GetProjectName() << "\n";
        return 1;
    }
    out << "project = " << project.GetProjectName() << "\n" << DescribeSettings(settings);
    return 0;
}

CLI::App* AddSettingsCommand(CLI::App& cli, SettingsCommandOptions& options)
{
    CLI::App* command =
        cli.add_subcommand("settings", "Show or change the user settings of a project, as its settings dialog does.");
    command->add_option("FILE", options.programPath, "program file with the project attached (.scr)")->required();
    command->add_option("--set", options.assignments, "NAME=VALUE, with the names the settings are printed by")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->add_flag("--reset", options.reset, "start from the first-run settings");
    return command;
}

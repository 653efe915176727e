#pragma once
#include <iosfwd>
#include <string>
#include <vector>

class ISettingsStore;
namespace CLI {
class App;
}

// What `screensaver settings` is asked for.
struct SettingsCommandOptions {
    std::string programPath;              // a program file with a project attached (.scr)
    std::vector<std::string> assignments; // NAME=VALUE, applied in order
    bool reset = false;                   // start from the first-run settings
};

// Prints the user settings of the project attached to the program, as the settings dialog's pages show
// them, after applying --reset and the assignments; stores them when anything was asked to change.
// Returns 0, 1 when the project or the store cannot be used, 2 for a bad assignment (nothing is stored).
int RunSettingsCommand(const SettingsCommandOptions& options, ISettingsStore& store, std::ostream& out,
                       std::ostream& err);

// Adds the subcommand "settings FILE [--set NAME=VALUE]... [--reset]" to the program's command line; each
// --set takes one assignment.
CLI::App* AddSettingsCommand(CLI::App& cli, SettingsCommandOptions& options);

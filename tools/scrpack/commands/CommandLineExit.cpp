#include "scrpack/commands/CommandLineExit.h"

#include <CLI/CLI.hpp>

#include <iostream>

int RunCommandLine(CLI::App& app, int argc, char** argv, bool* parsedOnly)
{
    if (parsedOnly)
        *parsedOnly = false;
    // Paths may start with a slash (a Unix path given to the Windows program under Wine): no "/option"s.
    app.allow_windows_style_options(false);
    for (CLI::App* command : app.get_subcommands({}))
        command->allow_windows_style_options(false);
    auto known = [&app](const char* name) {
        try {
            app.get_subcommand(name);
            return true;
        } catch (const CLI::OptionNotFound&) {
            return false;
        }
    };
    if (argc >= 2 && argv[1][0] != '-' && !known(argv[1])) {
        std::string names;
        for (const CLI::App* command : app.get_subcommands({}))
            names += (names.empty() ? "" : ", ") + command->get_name();
        std::cerr << app.get_name() << ": unknown command \"" << argv[1] << "\" (commands: " << names << ")\n";
        return 2;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& e) {
        // A command that ran and failed; it has said why.
        return e.get_exit_code();
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }
    if (parsedOnly)
        *parsedOnly = true;
    return 0;
}

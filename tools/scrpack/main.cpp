#include "DumpCommand.h"
#include "ExtractCommand.h"
#include "InspectCommand.h"
#include "PackCommand.h"

#include <CLI/CLI.hpp>

// The subcommands: each adds itself, with its options, to the command line.
static void (*const kCommands[])(CLI::App&) = {
    RegisterInspectCommand,
    RegisterDumpCommand,
    RegisterPackCommand,
    RegisterExtractCommand,
};

int main(int argc, char** argv)
{
    CLI::App app{"Builds, inspects and extracts the project databases of screensavers", "scrpack"};
    app.require_subcommand(1);
    for (auto add : kCommands)
        add(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}

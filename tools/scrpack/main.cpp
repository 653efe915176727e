#include "CommandLineExit.h"
#include "DumpCommand.h"
#include "EffectsCommand.h"
#include "ExtractCommand.h"
#include "InspectCommand.h"
#include "NewCommand.h"
#include "PackCommand.h"

#include <CLI/CLI.hpp>

// The subcommands: each adds itself, with its options, to the command line.
static void (*const kCommands[])(CLI::App&) = {
    RegisterNewCommand,  RegisterPackCommand,    RegisterInspectCommand,
    RegisterDumpCommand, RegisterExtractCommand, RegisterEffectsCommand,
};

int main(int argc, char** argv)
{
    CLI::App app{"Builds, inspects and extracts the project databases of screensavers", "scrpack"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "scrpack " QM_VERSION);
    for (auto add : kCommands)
        add(app);
    return RunCommandLine(app, argc, argv);
}

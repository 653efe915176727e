#include "scrpack/commands/CommandLineExit.h"
#include "scrpack/commands/DumpCommand.h"
#include "scrpack/commands/EffectsCommand.h"
#include "scrpack/commands/ExtractCommand.h"
#include "scrpack/commands/InspectCommand.h"
#include "scrpack/commands/NewCommand.h"
#include "scrpack/commands/PackCommand.h"
#include "scrpack/commands/Utf8Arguments.h"
#ifndef _WIN32
#include "scrpack/studio/StudioCommand.h"
#endif

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <new>

#include "platform/TemporaryPaths.h"

// The subcommands: each adds itself, with its options, to the command line.
static void (*const kCommands[])(CLI::App&) = {
    RegisterNewCommand,    RegisterPackCommand,    RegisterInspectCommand,
    RegisterDumpCommand,   RegisterExtractCommand, RegisterEffectsCommand,
#ifndef _WIN32
    RegisterStudioCommand,
#endif
};

namespace {

int Run(int argc, char** argv)
{
    CLI::App app{"Builds, inspects and extracts the project databases of screensavers", "scrpack"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "scrpack " QM_VERSION);
    // Ctrl-C during a pack or an extract leaves neither the work folder nor a part-written file.
    RemoveTemporaryPathsOnInterrupt();
    for (auto add : kCommands)
        add(app);
    std::vector<std::string> words = Utf8Arguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return RunCommandLine(app, static_cast<int>(words.size()), pointers.data());
}

} // namespace

// Whatever escapes a command (a failed allocation, above all) ends the program with a message and status 1,
// never with an abort.
int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("scrpack: out of memory\n", stderr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scrpack: %s\n", error.what());
    }
    return 1;
}

#pragma once

namespace CLI {
class App;
}

// Parses the command line and runs the chosen subcommand with the exit codes both programs share:
// 0 done, 1 failed, 2 bad usage (an unknown command or option, a missing or malformed argument). A word
// where a command belongs that names none is named in the message.
int RunCommandLine(CLI::App& app, int argc, char** argv);

#pragma once

namespace CLI {
class App;
}

// Parses the command line and runs the chosen subcommand with the exit codes both programs share:
// 0 done, 1 failed, 2 bad usage (an unknown command or option, a missing or malformed argument). A word
// where a command belongs that names none is named in the message.
// With `parsedOnly`, set to true when the caller is to run the chosen command itself (the line parsed and
// asked for neither help nor the version).
int RunCommandLine(CLI::App& app, int argc, char** argv, bool* parsedOnly = nullptr);

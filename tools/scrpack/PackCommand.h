#pragma once
#include <ostream>
#include <string>

namespace CLI {
class App;
}

struct PackOptions {
    std::string manifest;
    std::string output;
    std::string runtime; // empty: a database file of its own
};

// Builds the project database the manifest describes. Returns the exit code; messages go to err.
// Nothing is left at the output path when it fails.
int RunPack(const PackOptions& options, std::ostream& err);

// Adds "pack MANIFEST -o OUT [--runtime EXE]" to the command line.
void RegisterPackCommand(CLI::App& app);

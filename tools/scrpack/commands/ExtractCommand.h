#pragma once
#include <ostream>
#include <string>

namespace CLI {
class App;
}

struct ExtractOptions {
    std::string input; // a database file or a program carrying one
    std::string folder;
};

// Writes every stored file of the project and a manifest.toml from which "pack" rebuilds the same
// records. Returns the exit code; messages and warnings go to err.
int RunExtract(const ExtractOptions& options, std::ostream& err);

// Adds "extract FILE DIR" to the command line.
void RegisterExtractCommand(CLI::App& app);

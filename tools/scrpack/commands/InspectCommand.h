#pragma once
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

struct InspectOptions {
    std::string file;                  // a database file or a program carrying one
    std::optional<std::uint32_t> base; // where the database starts, when not found by itself
    bool json = false;
};

// Lists the database's base offset and, per table, its position, size, fields and record count.
// Returns the exit code; the listing goes to out, errors to err.
int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err);

// Adds "inspect FILE [--json] [--base N]" to the command line.
void RegisterInspectCommand(CLI::App& app);

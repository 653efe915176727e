#pragma once
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

struct DumpOptions {
    std::string file; // a database file or a program carrying one
    std::string table;
    std::optional<std::uint32_t> base; // where the database starts, when not found by itself
    bool json = false;
};

// Prints every record of a table: per field its length, for text fields the text and the bytes in hex,
// for binary fields the CRC-32. Returns the exit code; the records go to out, errors to err.
int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err);

// Adds "dump FILE TABLE [--json] [--base N]" to the command line.
void RegisterDumpCommand(CLI::App& app);

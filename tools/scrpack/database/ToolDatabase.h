#pragma once
#include "db/ProjectDatabase.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

// Opens the project database in file for the inspecting commands: at base when given, otherwise at offset 0
// for a database file of its own (it begins with its header) or at the trailer's offset for a program
// carrying one. Reports a clear message to err and returns false when there is no database to read.
// Where a file's database starts: 0 for a database file of its own (it begins with its header), otherwise
// the offset in its trailer (-1 when there is none); nothing when the file cannot be opened.
std::optional<std::int64_t> FindDatabaseBase(const std::string& file);

bool OpenToolDatabase(const std::string& command, const std::string& file, std::optional<std::uint32_t> base,
                      ProjectDatabase& db, std::ostream& err);

// Adds "--base N" to a subcommand.
namespace CLI {
class App;
}
void AddBaseOption(CLI::App& command, std::optional<std::uint32_t>& base);

// Bytes as lower-case hex, two digits each.
std::string HexBytes(const void* data, std::size_t size);

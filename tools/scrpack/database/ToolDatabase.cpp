#include "scrpack/database/ToolDatabase.h"

#include "db/DiskFile.h"

#include <CLI/CLI.hpp>

std::optional<std::int64_t> FindDatabaseBase(const std::string& file)
{
    DiskFile probe;
    if (!probe.Open(file, DiskFile::kModeRead))
        return std::nullopt;
    char head[10] = {};
    if (probe.ReadAt(0, head, sizeof head) == sizeof head && std::string(head, sizeof head) == "<database>")
        return 0;
    probe.Close();
    return ReadDatabaseTrailer(file);
}

bool OpenToolDatabase(const std::string& command, const std::string& file, std::optional<std::uint32_t> base,
                      ProjectDatabase& db, std::ostream& err)
{
    const std::optional<std::int64_t> found = FindDatabaseBase(file);
    if (!found) {
        err << "scrpack " << command << ": cannot open " << file << "\n";
        return false;
    }
    const std::int64_t at = base ? *base : *found;
    if (at < 0 || !db.Open(file, static_cast<std::uint32_t>(at))) {
        err << "scrpack " << command << ": cannot read " << file << "\n";
        return false;
    }
    if (!db.HasHeader()) {
        err << "scrpack " << command << ": no project database at offset " << at << " of " << file
            << (base ? "" : " (give its offset with --base)") << "\n";
        return false;
    }
    return true;
}

void AddBaseOption(CLI::App& command, std::optional<std::uint32_t>& base)
{
    command.add_option_function<std::uint32_t>(
        "--base", [&base](const std::uint32_t& value) { base = value; },
        "Offset of the database in the file, instead of finding it from the file's start or trailer");
}

std::string HexBytes(const void* data, std::size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        unsigned char b = static_cast<const unsigned char*>(data)[i];
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

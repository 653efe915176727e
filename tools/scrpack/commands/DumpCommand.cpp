#include "scrpack/commands/DumpCommand.h"

#include "db/DatabaseTable.h"
#include "scrpack/database/Crc32.h"
#include "scrpack/database/ToolDatabase.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <memory>

namespace {

// Text as it can be shown on one line: control characters, quotes and backslashes escaped.
std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", c);
            quoted += escape;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string Hex8(std::uint32_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

nlohmann::json DumpField(DatabaseTable& table, const FieldValue& field)
{
    nlohmann::json value = {
        {"name", field.name}, {"binary", field.binary}, {"length", table.GetFieldLength(field.name)}};
    if (field.binary) {
        std::uint32_t crc = 0;
        table.ReadBinaryField(field.name, [&crc](const void* data, std::size_t size) {
            crc = Crc32(crc, data, size);
            return true;
        });
        value["crc32"] = Hex8(crc);
    } else {
        value["text"] = table.GetFieldString(field.name);
        value["hex"] = HexBytes(field.value.GetData(), field.value.GetSize());
    }
    return value;
}

} // namespace

int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err)
{
    ProjectDatabase db;
    if (!OpenToolDatabase("dump", options.file, options.base, db, err))
        return 1;
    DatabaseTable table;
    table.SetLoadBinaryFields(false);
    if (!table.Open(db, options.table)) {
        err << "scrpack dump: no table \"" << options.table << "\" in " << options.file << "\n";
        return 1;
    }

    nlohmann::json records = nlohmann::json::array();
    if (!options.json)
        out << "table " << table.GetName() << "\nrecords " << table.GetRecordCount() << "\n";
    if (table.GetRecordCount() != 0) {
        table.MoveFirst();
        while (!table.IsAtEnd()) {
            nlohmann::json fields = nlohmann::json::array();
            for (int k = 0; k < table.GetFieldCount(); ++k)
                fields.push_back(DumpField(table, table.GetField(k)));
            if (options.json) {
                records.push_back({{"index", table.GetCurrentIndex()}, {"fields", fields}});
            } else {
                out << "\nrecord " << table.GetCurrentIndex() << "\n";
                for (const auto& f : fields) {
                    out << "  " << f["name"].get<std::string>() << ": length " << f["length"].get<std::uint32_t>();
                    if (f["binary"].get<bool>())
                        out << ", binary, crc32 " << f["crc32"].get<std::string>() << "\n";
                    else
                        out << ", text " << Quoted(f["text"].get<std::string>()) << ", hex "
                            << f["hex"].get<std::string>() << "\n";
                }
            }
            table.MoveNext();
        }
    }
    if (options.json) {
        nlohmann::json doc = {
            {"file", options.file}, {"base", db.GetBase()}, {"table", table.GetName()}, {"records", records}};
        out << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    }
    return 0;
}

void RegisterDumpCommand(CLI::App& app)
{
    auto options = std::make_shared<DumpOptions>();
    CLI::App* dump = app.add_subcommand("dump", "Print every record of one table");
    dump->add_option("file", options->file, "A project database or a screensaver carrying one")->required();
    dump->add_option("table", options->table, "The table's name")->required();
    dump->add_flag("--json", options->json, "Write one JSON document");
    AddBaseOption(*dump, options->base);
    dump->callback([options] {
        const int code = RunDump(*options, std::cout, std::cerr);
        if (code != 0)
            throw CLI::RuntimeError(code);
    });
}

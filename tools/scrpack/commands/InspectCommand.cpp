#include "scrpack/commands/InspectCommand.h"

#include "db/DatabaseTable.h"
#include "scrpack/database/ToolDatabase.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err)
{
    ProjectDatabase db;
    if (!OpenToolDatabase("inspect", options.file, options.base, db, err))
        return 1;

    nlohmann::json tables = nlohmann::json::array();
    if (!options.json)
        out << "file " << options.file << "\nbase " << db.GetBase() << "\ntables " << db.GetTableCount() << "\n";
    for (int i = 0; i < db.GetTableCount(); ++i) {
        TableDirectoryEntry* entry = db.GetTable(i);
        DatabaseTable table;
        table.SetLoadBinaryFields(false);
        table.Open(db, entry);
        nlohmann::json fields = nlohmann::json::array();
        for (int k = 0; k < table.GetFieldCount(); ++k)
            fields.push_back({{"name", table.GetField(k).name}, {"binary", table.GetField(k).binary}});
        if (options.json) {
            tables.push_back({{"name", entry->name},
                              {"start", entry->start},
                              {"size", entry->size},
                              {"fields", fields},
                              {"records", table.GetRecordCount()}});
            continue;
        }
        out << "\ntable " << entry->name << "\n  start " << entry->start << "\n  size " << entry->size << "\n  records "
            << table.GetRecordCount() << "\n  fields";
        if (fields.empty())
            out << " (none)";
        for (const auto& field : fields)
            out << " " << field["name"].get<std::string>() << (field["binary"].get<bool>() ? "*" : "");
        out << "\n";
    }
    if (options.json) {
        nlohmann::json doc = {{"file", options.file}, {"base", db.GetBase()}, {"tables", tables}};
        out << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        out << "\n(* binary field)\n";
    }
    return 0;
}

void RegisterInspectCommand(CLI::App& app)
{
    auto options = std::make_shared<InspectOptions>();
    CLI::App* inspect = app.add_subcommand("inspect", "List the tables of a project database");
    inspect->add_option("file", options->file, "A project database or a screensaver carrying one")->required();
    inspect->add_flag("--json", options->json, "Write one JSON document");
    AddBaseOption(*inspect, options->base);
    inspect->callback([options] {
        const int code = RunInspect(*options, std::cout, std::cerr);
        if (code != 0)
            throw CLI::RuntimeError(code);
    });
}

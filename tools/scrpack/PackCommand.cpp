#include "PackCommand.h"

#include "ManifestReader.h"
#include "PackTables.h"
#include "Progress.h"
#include "db/DatabaseWriter.h"
#include "db/MyFile.h"
#include "db/MyXMLDb.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

uint64_t StoredBytes(const PackPlan& plan, const std::string& runtime)
{
    uint64_t total = 0;
    auto add = [&](const std::string& path) {
        if (!path.empty())
            total += static_cast<uint64_t>(std::max<int64_t>(0, CMyFile::SizeOf(path)));
    };
    add(runtime);
    add(plan.project.bannerPath);
    for (const auto& f : plan.media)
        add(f.sourcePath);
    for (const auto& m : plan.music)
        add(m.file.sourcePath);
    for (const auto& f : plan.libraries)
        add(f.sourcePath);
    for (const auto& f : plan.accessories)
        add(f.sourcePath);
    return total;
}

// The bytes of the runtime that come before a database it already carries (all of it when it carries
// none), so packing a built screensaver again replaces its project instead of stacking a second one.
uint64_t RuntimeLength(const std::string& runtime)
{
    const int64_t size = CMyFile::SizeOf(runtime);
    const int64_t base = ReadDatabaseTrailer(runtime);
    if (base >= 0 && base < size) {
        CMyXMLDb db;
        if (db.Open(runtime, static_cast<uint32_t>(base)) && db.HasHeader())
            return static_cast<uint64_t>(base);
    }
    return static_cast<uint64_t>(std::max<int64_t>(size, 0));
}

bool WriteProject(const PackOptions& options, std::vector<TableContent> tables, std::string& error)
{
    DatabaseWriter writer;
    if (!options.runtime.empty())
        writer.SetLeadingBytes(options.runtime, RuntimeLength(options.runtime));
    for (TableContent& table : tables)
        writer.AddTable(std::move(table));
    return writer.Write(options.output, &error);
}

} // namespace

int RunPack(const PackOptions& options, std::ostream& err)
{
    PackPlan plan;
    try {
        plan = ReadManifest(options.manifest);
    } catch (const ManifestError& e) {
        err << "scrpack pack: " << e.what() << "\n";
        return 1;
    }
    if (!options.runtime.empty() && !CMyFile::Exists(options.runtime)) {
        err << "scrpack pack: runtime not found: " << options.runtime << "\n";
        return 1;
    }
    std::string error;
    bool ok;
    {
        // The writer builds the file beside the output and renames it at the end; watching it grow is
        // the progress.
        Progress progress("packing", StoredBytes(plan, options.runtime));
        progress.WatchFile(PendingDatabasePath(options.output));
        ok = WriteProject(options, BuildTables(plan), error);
    }
    if (!ok) {
        err << "scrpack pack: " << (error.empty() ? "cannot write " + options.output : error) << "\n";
        return 1;
    }
    return 0;
}

void RegisterPackCommand(CLI::App& app)
{
    auto options = std::make_shared<PackOptions>();
    CLI::App* pack = app.add_subcommand("pack", "Build a project database from a manifest");
    pack->add_option("manifest", options->manifest, "The project's manifest (TOML)")->required();
    pack->add_option("-o,--output", options->output, "The database or program to write")->required();
    pack->add_option("--runtime", options->runtime,
                     "The screensaver program to copy in front of the database (default: a database file alone)");
    pack->callback([options] {
        const int code = RunPack(*options, std::cerr);
        if (code != 0)
            throw CLI::RuntimeError(code);
    });
}

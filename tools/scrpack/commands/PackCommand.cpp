#include "scrpack/commands/PackCommand.h"

#include "db/DatabaseWriter.h"
#include "db/DiskFile.h"
#include "db/ProjectDatabase.h"
#include "scrpack/commands/Progress.h"
#include "scrpack/database/PackTables.h"
#include "scrpack/files/SourceFiles.h"
#include "scrpack/files/Utf8Path.h"
#include "scrpack/files/WorkFolder.h"
#include "scrpack/manifest/ManifestReader.h"
#include "scrpack/pictures/PictureCheck.h"
#include "scrpack/pictures/PictureConvert.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

namespace {

// The size of a file for progress; 0 when there is none.
uint64_t FileBytes(const std::string& path)
{
    return path.empty() ? 0 : static_cast<uint64_t>(std::max<int64_t>(0, DiskFile::SizeOf(path)));
}

uint64_t StoredBytes(const PackPlan& plan, const std::string& runtime)
{
    uint64_t total = 0;
    auto add = [&](const std::string& path) { total += FileBytes(path); };
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
    const int64_t size = DiskFile::SizeOf(runtime);
    const int64_t base = ReadDatabaseTrailer(runtime);
    if (base >= 0 && base < size) {
        ProjectDatabase db;
        if (db.Open(runtime, static_cast<uint32_t>(base)) && db.HasHeader())
            return static_cast<uint64_t>(base);
    }
    return static_cast<uint64_t>(std::max<int64_t>(size, 0));
}

// Whether two paths name the same file, however they are spelled.
bool SameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(PathFromUtf8(a), PathFromUtf8(b), ec))
        return true;
    auto spelled = [](const std::string& path) {
        std::error_code e;
        fs::path full = fs::weakly_canonical(PathFromUtf8(path), e);
        if (e)
            full = fs::absolute(PathFromUtf8(path), e);
        std::string text = Utf8Of(full.lexically_normal());
#ifdef _WIN32
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
#endif
        return text;
    };
    return spelled(a) == spelled(b);
}

// The files a pack reads, apart from the runtime.
std::vector<std::string> SourceFiles(const PackPlan& plan, const std::string& manifest)
{
    std::vector<std::string> files{manifest, plan.project.bannerPath};
    for (const auto& f : plan.media)
        files.push_back(f.sourcePath);
    for (const auto& m : plan.music)
        files.push_back(m.file.sourcePath);
    for (const auto& f : plan.libraries)
        files.push_back(f.sourcePath);
    for (const auto& f : plan.accessories)
        files.push_back(f.sourcePath);
    files.erase(std::remove(files.begin(), files.end(), std::string()), files.end());
    return files;
}

// Refuses an output that would overwrite what the pack reads: the output replaces its target at the end,
// and the file beside it that the new database is first written to is truncated at the start. The runtime
// may be the output (its project is then replaced in place), but not that temporary file.
bool CheckOutputIsNoInput(const PackOptions& options, const PackPlan& plan, std::string& error)
{
    std::vector<std::string> inputs = SourceFiles(plan, options.manifest);
    const std::string pending = PendingDatabasePath(options.output);
    for (const std::string& input : inputs) {
        if (SameFile(input, options.output)) {
            error = options.output + " is also an input of the project (" + input + "); choose another output";
            return false;
        }
    }
    if (!options.runtime.empty())
        inputs.push_back(options.runtime);
    for (const std::string& input : inputs) {
        if (SameFile(input, pending)) {
            error =
                pending + ", where the new file is written first, is an input of the project; choose another output";
            return false;
        }
    }
    return true;
}

// Every picture an item or background image shows must decode with the runtime's own decoders: one
// that would show as an empty slide stops the pack. Large JPEGs that pass are stored as restart-marked copies,
// which the runtime decodes faster, when asked; the plan then names the copy.
bool CheckPictures(PackPlan& plan, const std::string& workFolder, bool markLargeJpegs, bool check, std::string& error)
{
    std::vector<MediaReference*> references;
    uint64_t total = 0;
    for (PackedItem& item : plan.items)
        references.push_back(&item.media);
    for (PackedBackground& background : plan.backgrounds)
        references.push_back(&background.media);
    std::erase_if(references,
                  [](const MediaReference* reference) { return !reference->picture || !reference->addsMedia; });
    for (const MediaReference* reference : references)
        total += FileBytes(reference->file.sourcePath);
    Progress progress("checking pictures", total);
    std::map<std::string, std::string> copies;
    for (MediaReference* reference : references) {
        const std::string source = reference->file.sourcePath;
        const std::string reason = check ? CheckPicture(source, reference->file.name) : std::string();
        if (!reason.empty()) {
            error = reference->origin + ": " + source + ": " + reason;
            return false;
        }
        if (std::optional<std::string> copy = markLargeJpegs ? RestartMarkedCopy(source, workFolder) : std::nullopt)
            copies[source] = *copy;
        progress.Add(FileBytes(source));
    }
    progress.Finish();
    const auto useCopy = [&](StoredFile& file) {
        if (auto found = copies.find(file.sourcePath); found != copies.end())
            file.sourcePath = found->second;
    };
    for (StoredFile& file : plan.media)
        useCopy(file);
    for (PackedItem& item : plan.items)
        useCopy(item.media.file);
    for (PackedBackground& background : plan.backgrounds)
        useCopy(background.media.file);
    return true;
}

// Messages for paths that cannot serve, before anything is read or written.
bool CheckPaths(const PackOptions& options, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(PathFromUtf8(options.output), ec)) {
        error = options.output + " is a folder; give the file to write";
        return false;
    }
    fs::path folder = PathFromUtf8(options.output).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        error = "the folder " + Utf8Of(folder) + " of the output does not exist";
        return false;
    }
    if (!options.runtime.empty()) {
        if (fs::is_directory(PathFromUtf8(options.runtime), ec)) {
            error = "the runtime " + options.runtime + " is a folder";
            return false;
        }
        if (!DiskFile::Exists(options.runtime)) {
            error = "runtime not found: " + options.runtime;
            return false;
        }
        if (!IsRuntimeProgram(options.runtime)) {
            error = "the runtime " + options.runtime +
                " is not a program (give screensaver.scr, or the Linux screensaver program)";
            return false;
        }
    }
    return true;
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

// A show packed onto the Linux program runs as that program does (./show.scr play): the output gets the execute
// permission wherever it may be read. A Windows program needs none.
void MakeRunnableLikeRuntime(const PackOptions& options)
{
    namespace fs = std::filesystem;
    DiskFile file;
    char head[2] = {};
    if (options.runtime.empty() || !file.Open(options.runtime, DiskFile::kModeRead) ||
        file.ReadAt(0, head, sizeof head) != sizeof head || (head[0] == 'M' && head[1] == 'Z'))
        return;
    file.Close();
    std::error_code ec;
    const fs::perms now = fs::status(PathFromUtf8(options.output), ec).permissions();
    if (ec)
        return;
    fs::perms execute = fs::perms::owner_exec;
    if ((now & fs::perms::group_read) != fs::perms::none)
        execute |= fs::perms::group_exec;
    if ((now & fs::perms::others_read) != fs::perms::none)
        execute |= fs::perms::others_exec;
    fs::permissions(PathFromUtf8(options.output), execute, fs::perm_options::add, ec);
}

} // namespace

bool IsRuntimeProgram(const std::string& path)
{
    DiskFile file;
    char head[4] = {};
    if (!file.Open(path, DiskFile::kModeRead) || file.ReadAt(0, head, sizeof head) != sizeof head)
        return false;
    // A Windows program, a Linux one, or a script that starts one (as the packaged sample show's).
    return (head[0] == 'M' && head[1] == 'Z') || (head[0] == '#' && head[1] == '!') ||
        std::string(head, 4) ==
        "\x7f"
        "ELF";
}

int RunPack(const PackOptions& options, std::ostream& err)
{
    UseUtf8FileNames();
    std::string error;
    if (!CheckPaths(options, error)) {
        err << "scrpack pack: " << error << "\n";
        return 1;
    }
    // Converted pictures live here until they are stored.
    WorkFolder work("scrpack-");
    PackPlan plan;
    try {
        ManifestOptions manifestOptions;
        manifestOptions.workFolder = work.Path();
        manifestOptions.note = [&err](const std::string& text) { err << "scrpack pack: " << text << "\n"; };
        plan = ReadManifest(options.manifest, manifestOptions);
    } catch (const ManifestError& e) {
        err << "scrpack pack: " << e.what() << "\n";
        return 1;
    }
    if (plan.items.empty()) {
        err << "scrpack pack: " << options.manifest << ": no [[media]] item; a show needs at least one\n";
        return 1;
    }
    if (!CheckOutputIsNoInput(options, plan, error) ||
        !CheckPictures(plan, work.Path(), options.markLargeJpegs, options.checkPictures, error)) {
        err << "scrpack pack: " << error << "\n";
        return 1;
    }
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
    MakeRunnableLikeRuntime(options);
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
    // Pictures are prepared without it now; older scripts still pass it.
    pack->add_flag("--convert", options->convert, "Accepted for older scripts: pictures are always prepared");
    pack->callback([options] {
        const int code = RunPack(*options, std::cerr);
        if (code != 0)
            throw CLI::RuntimeError(code);
    });
}

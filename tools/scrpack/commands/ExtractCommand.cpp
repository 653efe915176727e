#include "scrpack/commands/ExtractCommand.h"
#include "base/TextCase.h"

#include "scrpack/database/ToolDatabase.h"

#include "db/DatabaseTable.h"
#include "db/DiskFile.h"
#include "db/ProjectDatabase.h"
#include "model/TableFields.h"
#include "platform/Paths.h"
#include "platform/ReplacingFile.h"
#include "scrpack/commands/Progress.h"
#include "scrpack/database/PackTables.h"
#include "scrpack/manifest/ManifestModel.h"
#include "scrpack/manifest/ManifestWriter.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>

namespace fs = std::filesystem;

namespace {

class ExtractError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole stored value of a field read with its record, zero bytes included.
std::string FieldBytes(const DatabaseTable& table, const std::string& name)
{
    if (table.FindField(name) < 0 || table.GetCurrentIndex() < 0)
        return {};
    std::string bytes(table.GetFieldLength(name), '\0');
    bytes.resize(table.CopyFieldBytes(name, bytes.data(), bytes.size()));
    return bytes;
}

// A file name safe in any folder on any system, made from a stored name.
std::string SafeFileName(const std::string& stored)
{
    std::string name = FileNameOf(stored);
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (!(std::isalnum(u) || c == '.' || c == '-' || c == '_' || c == ' ' || c == '(' || c == ')'))
            c = '_';
    }
    // Systems allow about 255 bytes for a name; the stored name itself goes into the manifest whole.
    const size_t kMaxName = 100;
    if (name.size() > kMaxName) {
        const size_t dot = name.rfind('.');
        const size_t extension = dot != std::string::npos && name.size() - dot <= 16 ? name.size() - dot : 0;
        name = name.substr(0, kMaxName - extension) + name.substr(name.size() - extension);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    if (name.empty() || name.front() == '.')
        name = "file" + name;
    return name;
}

class Extractor {
public:
    Extractor(const ExtractOptions& options, std::ostream& err) : options_(options), err_(err) { }

    void Run();

private:
    void Warn(const std::string& text) { err_ << "scrpack extract: warning: " << text << "\n"; }
    void OpenTable(DatabaseTable& table, const char* name);
    // Saves a binary value of the current record; returns its path relative to the folder ("" when empty).
    std::string SaveBinary(DatabaseTable& table, const std::string& field, const std::string& subfolder,
                           const std::string& storedName);
    std::vector<StoredFile> NamedFiles(const char* tableName, const char* binaryField, const std::string& subfolder);
    MediaReference ReferenceFor(const std::string& name, const std::vector<StoredFile>& media, std::vector<bool>& used);

    const ExtractOptions& options_;
    std::ostream& err_;
    ProjectDatabase db_;
    std::set<std::string> usedNames_;
    std::unique_ptr<Progress> progress_;
};

void Extractor::OpenTable(DatabaseTable& table, const char* name)
{
    table.SetLoadBinaryFields(false);
    if (!table.Open(db_, name)) {
        Warn(std::string("no \"") + name + "\" table; it is rebuilt empty");
        return;
    }
    for (const auto& layout : PackedTableLayouts()) {
        if (std::string(layout.name) != name)
            continue;
        std::vector<std::string> fields;
        for (int i = 0; i < table.GetFieldCount(); ++i)
            fields.push_back(table.GetField(i).name);
        if (fields != layout.fields && table.GetRecordCount() > 0)
            Warn(std::string("the \"") + name +
                 "\" table has other fields than scrpack writes; only the known "
                 "fields are kept");
    }
}

std::string Extractor::SaveBinary(DatabaseTable& table, const std::string& field, const std::string& subfolder,
                                  const std::string& storedName)
{
    if (table.FindField(field) < 0 || table.GetFieldLength(field) == 0)
        return {};
    std::string name = SafeFileName(storedName);
    const std::string stem = fs::path(name).stem().string(), ext = fs::path(name).extension().string();
    for (int n = 2; usedNames_.count(ToLowerAscii(subfolder + "/" + name)); ++n)
        name = stem + "-" + std::to_string(n) + ext;
    usedNames_.insert(ToLowerAscii(subfolder + "/" + name));
    const std::string relative = subfolder + "/" + name;
    fs::create_directories(fs::path(options_.folder) / subfolder);
    ReplacingFile out((fs::path(options_.folder) / relative).string());
    if (!out.Open())
        throw ExtractError(out.Error());
    const bool ok = table.ReadBinaryField(field, [&](const void* data, size_t size) {
        progress_->Add(size);
        return out.Write(data, size);
    });
    if (!ok && out.Error().empty())
        throw ExtractError("cannot read " + subfolder + "/" + storedName + " from " + options_.input);
    if (!ok || !out.Commit())
        throw ExtractError(out.Error());
    return relative;
}

std::vector<StoredFile> Extractor::NamedFiles(const char* tableName, const char* binaryField,
                                              const std::string& subfolder)
{
    std::vector<StoredFile> files;
    DatabaseTable table;
    OpenTable(table, tableName);
    if (table.GetRecordCount() == 0)
        return files;
    for (table.MoveFirst(); !table.IsAtEnd(); table.MoveNext()) {
        StoredFile file;
        file.name = FieldBytes(table, "name");
        file.sourcePath = SaveBinary(table, binaryField, subfolder, file.name);
        files.push_back(file);
    }
    return files;
}

// The media record an item or background image name brings, found as the runtime finds it: equal
// names first, then a name containing the file name.
MediaReference Extractor::ReferenceFor(const std::string& name, const std::vector<StoredFile>& media,
                                       std::vector<bool>& used)
{
    MediaReference reference;
    const std::string lower = ToLowerAscii(name), part = ToLowerAscii(FileNameOf(name));
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < media.size(); ++i) {
            const std::string stored = ToLowerAscii(media[i].name);
            if (pass == 0 ? stored == lower : stored.find(part) != std::string::npos) {
                used[i] = true;
                reference.file = media[i];
                return reference;
            }
        }
    }
    reference.addsMedia = false;
    return reference;
}

void Extractor::Run()
{
    const std::optional<std::int64_t> found = FindDatabaseBase(options_.input);
    if (!found)
        throw ExtractError("cannot open " + options_.input);
    const std::int64_t base = *found;
    if (base < 0 || !db_.Open(options_.input, static_cast<std::uint32_t>(base)) || !db_.HasHeader())
        throw ExtractError("no project database in " + options_.input);

    std::error_code ec;
    if (fs::exists(options_.folder, ec) && !fs::is_empty(options_.folder, ec))
        throw ExtractError("the folder " + options_.folder + " is not empty");
    fs::create_directories(options_.folder, ec);
    if (!fs::is_directory(options_.folder))
        throw ExtractError("cannot create the folder " + options_.folder);

    progress_ = std::make_unique<Progress>("extracting", db_.GetFileLength() - static_cast<std::uint64_t>(base));
    PackPlan plan;

    {
        DatabaseTable project;
        OpenTable(project, "project");
        if (project.GetRecordCount() != 1)
            Warn("the \"project\" table has " + std::to_string(project.GetRecordCount()) +
                 " records; the manifest describes one");
        const std::string data = FieldBytes(project, "data");
        if (project.GetRecordCount() > 0 && data.size() != ProjectOptions::kSize)
            Warn("the project options are " + std::to_string(data.size()) + " bytes long; they are rebuilt as " +
                 std::to_string(ProjectOptions::kSize));
        plan.project.options.Assign(data);
        for (const char* field : kProjectTextFields)
            plan.project.texts[field] = FieldBytes(project, field);
        plan.project.bannerPath = SaveBinary(project, "banner", "project", "banner");
    }

    {
        DatabaseTable setting;
        OpenTable(setting, "setting");
        if (setting.GetRecordCount() > 0) {
            for (setting.MoveFirst(); !setting.IsAtEnd(); setting.MoveNext()) {
                PackedItem item;
                const std::string data = FieldBytes(setting, "data");
                if (data.size() != MediaSettingsRecord::kSize)
                    Warn("media settings record " + std::to_string(setting.GetCurrentIndex()) + " is " +
                         std::to_string(data.size()) + " bytes long; it is rebuilt as " +
                         std::to_string(MediaSettingsRecord::kSize));
                item.record.Assign(data);
                for (const char* field : kSettingTextFields)
                    item.texts[field] = FieldBytes(setting, field);
                plan.items.push_back(std::move(item));
            }
        }
    }

    const std::vector<StoredFile> media = NamedFiles("media", "media", "media");
    {
        DatabaseTable music;
        OpenTable(music, "music");
        if (music.GetRecordCount() > 0) {
            for (music.MoveFirst(); !music.IsAtEnd(); music.MoveNext()) {
                PackedMusic track;
                track.file.name = FieldBytes(music, "name");
                if (music.FindField("type") >= 0) {
                    if (music.GetFieldLength("type") != 4)
                        Warn("music record " + std::to_string(music.GetCurrentIndex()) + " has a type of " +
                             std::to_string(music.GetFieldLength("type")) + " bytes; it is rebuilt with 4");
                    track.type = static_cast<uint32_t>(music.ReadFieldInt("type"));
                }
                track.file.sourcePath = SaveBinary(music, "music", "music", track.file.name);
                plan.music.push_back(track);
            }
        }
    }
    plan.libraries = NamedFiles("runtimelib", "libs", "runtime");
    for (const StoredFile& background : NamedFiles("backimage", "", ""))
        plan.backgrounds.push_back({background.name, {}});
    plan.accessories = NamedFiles("accfile", "accfile", "accessory");

    // Which media record each item and background image brings, and the rest.
    std::vector<bool> used(media.size(), false);
    for (PackedItem& item : plan.items)
        item.media = ReferenceFor(item.texts["filename"], media, used);
    for (PackedBackground& background : plan.backgrounds)
        background.media = ReferenceFor(background.name, media, used);
    std::set<std::string> names;
    std::vector<std::string> derived;
    auto derive = [&](const StoredFile& file) {
        if (names.insert(ToLowerAscii(file.name)).second)
            derived.push_back(file.name);
    };
    for (const PackedItem& item : plan.items) {
        if (item.media.addsMedia)
            derive(item.media.file);
    }
    for (const PackedBackground& background : plan.backgrounds) {
        if (background.media.addsMedia)
            derive(background.media.file);
    }
    std::vector<std::string> actual;
    for (size_t i = 0; i < media.size(); ++i) {
        actual.push_back(media[i].name);
        if (used[i])
            continue;
        if (names.count(ToLowerAscii(media[i].name))) {
            Warn("the media table holds \"" + media[i].name + "\" twice; the second copy is left out");
            actual.pop_back();
            continue;
        }
        plan.extraMedia.push_back(media[i]);
        derive(media[i]);
    }
    if (derived != actual)
        plan.mediaOrder = actual;

    progress_->Finish();
    std::string error;
    if (!WriteFileReplacing((fs::path(options_.folder) / "manifest.toml").string(), WriteManifestText(plan), error))
        throw ExtractError(error);
}

} // namespace

int RunExtract(const ExtractOptions& options, std::ostream& err)
{
    try {
        Extractor(options, err).Run();
    } catch (const std::exception& e) {
        err << "scrpack extract: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

void RegisterExtractCommand(CLI::App& app)
{
    auto options = std::make_shared<ExtractOptions>();
    CLI::App* extract = app.add_subcommand("extract", "Write a project's stored files and a manifest that rebuilds it");
    extract->add_option("file", options->input, "A project database or a screensaver carrying one")->required();
    extract->add_option("dir", options->folder, "An empty or new folder for the files and manifest.toml")->required();
    extract->callback([options] {
        const int code = RunExtract(*options, std::cerr);
        if (code != 0)
            throw CLI::RuntimeError(code);
    });
}

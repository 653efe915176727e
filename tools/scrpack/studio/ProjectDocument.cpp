#include "scrpack/studio/ProjectDocument.h"

#include "scrpack/commands/NewCommand.h"
#include "scrpack/manifest/ManifestFields.h"
#include "scrpack/manifest/ManifestReader.h"
#include "scrpack/manifest/ManifestWriter.h"
#include "transitions/EffectNames.h"

#include <toml++/toml.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

json TomlToJson(const toml::table& table)
{
    std::ostringstream text;
    text << toml::json_formatter(table);
    return json::parse(text.str());
}

// A value from the page as the manifest holds it; nothing for what a manifest cannot hold.
std::optional<toml::node_type> Insert(toml::table& table, const std::string& key, const json& value);

std::optional<toml::array> ToArray(const json& value)
{
    toml::array array;
    for (const json& element : value) {
        toml::table holder;
        if (!Insert(holder, "v", element))
            return std::nullopt;
        array.push_back(std::move(*holder.get("v")));
    }
    return array;
}

// Merges a JSON object into a table: objects into sub-tables, null removes a key, anything else replaces.
bool Merge(toml::table& table, const json& patch)
{
    if (!patch.is_object())
        return false;
    for (auto& [key, value] : patch.items()) {
        if (value.is_null()) {
            table.erase(key);
        } else if (value.is_object()) {
            if (!table.get_as<toml::table>(key))
                table.insert_or_assign(key, toml::table{});
            if (!Merge(*table.get_as<toml::table>(key), value))
                return false;
        } else if (!Insert(table, key, value)) {
            return false;
        }
    }
    return true;
}

std::optional<toml::node_type> Insert(toml::table& table, const std::string& key, const json& value)
{
    if (value.is_boolean()) {
        table.insert_or_assign(key, value.get<bool>());
    } else if (value.is_number_integer()) {
        table.insert_or_assign(key, value.get<int64_t>());
    } else if (value.is_number_float()) {
        const double number = value.get<double>();
        if (number != static_cast<double>(static_cast<int64_t>(number)))
            return std::nullopt;
        table.insert_or_assign(key, static_cast<int64_t>(number));
    } else if (value.is_string()) {
        table.insert_or_assign(key, value.get<std::string>());
    } else if (value.is_array()) {
        auto array = ToArray(value);
        if (!array)
            return std::nullopt;
        table.insert_or_assign(key, std::move(*array));
    } else if (value.is_object()) {
        toml::table sub;
        if (!Merge(sub, value))
            return std::nullopt;
        table.insert_or_assign(key, std::move(sub));
    } else {
        return std::nullopt;
    }
    return table.get(key)->type();
}

// Every named value of a record, in the sections a manifest entry has.
json RecordJson(const std::vector<RecordField>& fields, const uint8_t* bytes)
{
    toml::table table;
    for (const RecordField& field : fields) {
        toml::table* target = &table;
        if (*field.section) {
            if (!table.get_as<toml::table>(field.section))
                table.insert_or_assign(field.section, toml::table{});
            target = table.get_as<toml::table>(field.section);
        }
        PutRecordField(*target, field, bytes);
    }
    return TomlToJson(table);
}

void MergeJson(json& into, const json& from)
{
    for (auto& [key, value] : from.items()) {
        if (value.is_object() && into.contains(key) && into[key].is_object())
            MergeJson(into[key], value);
        else
            into[key] = value;
    }
}

// "show.toml:12: media[1].title.text: the character ..." → key and reason.
ProjectDocument::EditResult Refusal(const std::string& message, const std::string& manifest)
{
    ProjectDocument::EditResult result;
    result.ok = false;
    std::string rest = message;
    if (rest.rfind(manifest + ":", 0) == 0) {
        rest = rest.substr(manifest.size() + 1);
        const size_t colon = rest.find(": ");
        if (colon != std::string::npos)
            rest = rest.substr(colon + 2);
        const size_t keyEnd = rest.find(": ");
        if (keyEnd != std::string::npos) {
            result.key = rest.substr(0, keyEnd);
            rest = rest.substr(keyEnd + 2);
        }
    }
    result.error = rest;
    return result;
}

ProjectDocument::EditResult Refused(std::string error, std::string key = "")
{
    ProjectDocument::EditResult result;
    result.ok = false;
    result.error = std::move(error);
    result.key = std::move(key);
    return result;
}

bool AllowedWebsite(const std::string& site)
{
    std::string lower;
    for (char c : site)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return site.empty() || lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0 ||
        lower.rfind("mailto:", 0) == 0;
}

} // namespace

bool ReplaceFileContent(const std::string& path, const std::string& text)
{
    const std::string pending = path + ".studio-" + std::to_string(getpid());
    {
        std::ofstream out(pending, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(pending, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(pending, path, ec);
    if (ec)
        fs::remove(pending, ec);
    return !ec;
}

ProjectDocument::ProjectDocument(std::string manifestPath) : manifestPath_(std::move(manifestPath))
{
    std::error_code ec;
    manifestPath_ = fs::absolute(manifestPath_, ec).lexically_normal().string();
    folder_ = fs::path(manifestPath_).parent_path().string();
}

void ProjectDocument::Remember()
{
    std::error_code ec;
    writeTime_ = fs::last_write_time(manifestPath_, ec);
    size_ = fs::file_size(manifestPath_, ec);
}

bool ProjectDocument::Load(std::string& error)
{
    std::lock_guard lock(mutex_);
    return Read(error);
}

bool ProjectDocument::ReloadIfChanged(std::string& error)
{
    std::error_code ec;
    const auto time = fs::last_write_time(manifestPath_, ec);
    if (!ec && time == writeTime_ && fs::file_size(manifestPath_, ec) == size_)
        return true;
    return Read(error);
}

bool ProjectDocument::Read(std::string& error)
{
    ManifestOptions options;
    options.keepConversions = true;
    try {
        plan_ = ReadManifest(manifestPath_, options);
    } catch (const ManifestError& e) {
        error = e.what();
        return false;
    }
    Remember();
    return true;
}

PackPlan ProjectDocument::RelativePlan(const PackPlan& plan) const
{
    PackPlan copy = plan;
    auto relative = [&](std::string& path) {
        if (!path.empty())
            path = fs::path(path).lexically_relative(folder_).generic_string();
    };
    relative(copy.project.bannerPath);
    for (auto& item : copy.items)
        relative(item.media.file.sourcePath);
    for (auto& background : copy.backgrounds)
        relative(background.media.file.sourcePath);
    for (auto* list : {&copy.media, &copy.libraries, &copy.extraMedia, &copy.accessories}) {
        for (auto& file : *list)
            relative(file.sourcePath);
    }
    for (auto& music : copy.music)
        relative(music.file.sourcePath);
    return copy;
}

PackPlan ProjectDocument::Plan()
{
    std::lock_guard lock(mutex_);
    std::string error;
    ReloadIfChanged(error);
    return plan_;
}

json ProjectDocument::State()
{
    std::lock_guard lock(mutex_);
    std::string error;
    json state;
    if (!ReloadIfChanged(error))
        state["manifestError"] = error;
    const toml::table root = toml::parse(WriteManifestText(RelativePlan(plan_)));
    state["manifest"] = fs::path(manifestPath_).filename().string();
    state["project"] =
        root.get_as<toml::table>("project") ? TomlToJson(*root.get_as<toml::table>("project")) : json::object();
    state["options"] = RecordJson(ProjectOptionFields(), plan_.project.options.Bytes().data());

    json defaults = {{"title", {{"text", ""}, {"font", "MS Sans Serif"}, {"style", json::array()}}},
                     {"description", {{"text", ""}, {"font", "MS Sans Serif"}, {"style", json::array()}}},
                     {"background", {{"gradients", {0}}, {"images", json::array()}}},
                     {"transition", {{"effects", json::array()}}},
                     {"sound", ""}};
    for (int i = 0; i < kEffectCount; ++i)
        defaults["transition"]["effects"].push_back(i);
    json items = json::array();
    const toml::array* entries = root.get_as<toml::array>("media");
    for (size_t i = 0; i < plan_.items.size(); ++i) {
        json item = RecordJson(MediaRecordFields(), plan_.items[i].record.Bytes().data());
        MergeJson(item, defaults);
        if (entries && i < entries->size() && entries->get(i)->is_table())
            MergeJson(item, TomlToJson(*entries->get(i)->as_table()));
        if (!item.contains("file"))
            item["file"] = "";
        // A picture still to be prepared is named after its file.
        if (!item.contains("name"))
            item["name"] = fs::path(item["file"].get<std::string>()).filename().string();
        items.push_back(std::move(item));
    }
    state["items"] = std::move(items);
    json music = json::array();
    if (const toml::array* tracks = root.get_as<toml::array>("music")) {
        for (const toml::node& track : *tracks) {
            if (track.is_table())
                music.push_back(TomlToJson(*track.as_table()));
        }
    }
    state["music"] = std::move(music);
    json backgrounds = json::array();
    for (const PackedBackground& background : plan_.backgrounds)
        backgrounds.push_back(background.name);
    state["backgrounds"] = std::move(backgrounds);
    return state;
}

ProjectDocument::EditResult ProjectDocument::Apply(const json& edit)
{
    std::lock_guard lock(mutex_);
    std::string error;
    if (!ReloadIfChanged(error))
        return Refused("the manifest cannot be read: " + error);
    if (!edit.is_object() || !edit.contains("op") || !edit["op"].is_string())
        return Refused("an edit names its operation in \"op\"");
    toml::table root = toml::parse(WriteManifestText(RelativePlan(plan_)));
    const std::string op = edit["op"].get<std::string>();
    const json empty = json::object();
    const json& set = edit.contains("set") ? edit["set"] : empty;
    auto list = [&](const std::string& name) -> toml::array& {
        if (!root.get_as<toml::array>(name))
            root.insert_or_assign(name, toml::array{});
        return *root.get_as<toml::array>(name);
    };
    auto index = [&](const char* key, size_t size) -> std::optional<size_t> {
        if (!edit.contains(key) || !edit[key].is_number_integer())
            return std::nullopt;
        const int64_t value = edit[key].get<int64_t>();
        if (value < 0 || static_cast<uint64_t>(value) >= size)
            return std::nullopt;
        return static_cast<size_t>(value);
    };
    const std::string listName = edit.contains("list") && edit["list"] == "music" ? "music" : "media";

    if (op == "item" || op == "items") {
        toml::array& items = list("media");
        auto at = index("index", items.size());
        if (op == "item" && !at)
            return Refused("no such item");
        for (size_t i = 0; i < items.size(); ++i) {
            if ((op == "items" || i == *at) && (!items.get(i)->is_table() || !Merge(*items.get(i)->as_table(), set)))
                return Refused("the values cannot be held by a manifest");
        }
    } else if (op == "project" || op == "options") {
        if (op == "project" && set.contains("author_website") && set["author_website"].is_string() &&
            !AllowedWebsite(set["author_website"].get<std::string>()))
            return Refused("a website starts with http://, https:// or mailto:", "project.author_website");
        if (!root.get_as<toml::table>(op))
            root.insert_or_assign(op, toml::table{});
        // Options over "raw" would be overruled by nothing: named keys apply over it.
        if (!Merge(*root.get_as<toml::table>(op), set))
            return Refused("the values cannot be held by a manifest");
    } else if (op == "move") {
        toml::array& items = list(listName);
        auto from = index("from", items.size());
        auto to = index("to", items.size());
        if (!from || !to)
            return Refused("no such entry to move");
        toml::table moved = *items.get(*from)->as_table();
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(*from));
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(*to), std::move(moved));
    } else if (op == "remove") {
        toml::array& items = list(listName);
        auto at = index("index", items.size());
        if (!at)
            return Refused("no such entry to remove");
        if (listName == "media" && items.size() == 1)
            return Refused("a show keeps at least one item");
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(*at));
        root.erase("media_order"); // it would name a file no longer stored
    } else if (op == "add") {
        if (!edit.contains("file") || !edit["file"].is_string())
            return Refused("name the file to add");
        const std::string file = edit["file"].get<std::string>();
        toml::table entry{{"file", file}};
        if (listName == "media") {
            const FileKind kind = KindOf(file);
            if (kind != FileKind::Picture && kind != FileKind::Video)
                return Refused(file + " is no picture or video");
            if (kind == FileKind::Video)
                entry.insert_or_assign("type", "video");
            entry.insert_or_assign("title", toml::table{{"text", TitleOf(file)}});
        } else if (KindOf(file) != FileKind::Sound) {
            return Refused(file + " is no sound");
        }
        list(listName).push_back(std::move(entry));
        root.erase("media_order");
    } else {
        return Refused("unknown operation \"" + op + "\"");
    }

    std::ostringstream text;
    text << toml::toml_formatter(root);
    ManifestOptions options;
    options.keepConversions = true;
    PackPlan plan;
    try {
        plan = ParseManifest(text.str(), manifestPath_, options);
    } catch (const ManifestError& e) {
        return Refusal(e.what(), manifestPath_);
    }
    if (plan.items.empty())
        return Refused("a show keeps at least one item");
    if (!ReplaceFileContent(manifestPath_, WriteManifestText(RelativePlan(plan))))
        return Refused("cannot write " + manifestPath_);
    plan_ = std::move(plan);
    Remember();
    return {};
}

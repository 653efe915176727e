#include "scrpack/manifest/ManifestReader.h"
#include "base/ByteOrder.h"
#include "base/TextCase.h"

#include "model/IndexList.h"
#include "model/MediaSettingsRecord.h"
#include "model/PanZoomSetting.h"
#include "model/TableFields.h"
#include "platform/Paths.h"
#include "scrpack/files/Utf8Path.h"
#include "scrpack/manifest/ClosestWord.h"
#include "scrpack/manifest/ManifestDefaults.h"
#include "scrpack/manifest/ManifestFields.h"
#include "scrpack/pictures/PictureCheck.h"
#include "scrpack/pictures/PictureConvert.h"
#include "scrpack/texts/CharsetChoice.h"
#include "scrpack/texts/CodePage.h"
#include "transitions/EffectNames.h"

#include <toml++/toml.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Text fields of the "project" record by manifest key.
const std::pair<const char*, const char*> kProjectTextKeys[] = {
    {"name", "projectname"},
    {"app_name", "appname"},
    {"home_site", "homesite"},
    {"project_path", "projectpath"},
    {"dialog_picture", "dialogpicture"},
    {"author", "authorname"},
    {"author_website", "authorwebsite"},
    {"author_email", "authoremail"},
    {"about_picture", "aboutpicture"},
    {"version", "version"},
    {"copyright", "copyright"},
    {"description", "description"},
    {"project_description", "projectdesc"},
};

class Reader {
public:
    friend void ::ApplyRecordFields(const toml::table&, const std::string&, const std::vector<RecordField>&, uint8_t*,
                                    size_t);
    Reader(std::string file, fs::path folder, ManifestOptions options = {})
        : file_(std::move(file)), folder_(std::move(folder)), options_(std::move(options))
    {
    }

    PackPlan Read(const toml::table& root);

private:
    [[noreturn]] void Fail(const toml::node& where, const std::string& key, const std::string& problem) const
    {
        Fail(where.source().begin.line, key, problem);
    }
    [[noreturn]] void Fail(uint32_t line, const std::string& key, const std::string& problem) const
    {
        std::ostringstream text;
        text << file_ << ":" << line << ": " << key << ": " << problem;
        throw ManifestError(text.str());
    }

    void CheckKeys(const toml::table& table, const std::string& path, const std::set<std::string>& allowed) const;
    const toml::table& Table(const toml::node& node, const std::string& key) const;
    const toml::array& Array(const toml::node& node, const std::string& key) const;
    std::string String(const toml::node& node, const std::string& key) const;
    // A text as the runtime reads it: converted to the code page (a { hex = ... } text is kept as it is).
    // `value` replaces the node's own text where the text is derived from it (a file's name).
    std::string Text(const toml::node& node, const std::string& key, int codePage = kAnsiCodePage,
                     std::optional<std::string> value = std::nullopt) const;
    bool Bool(const toml::node& node, const std::string& key) const;
    int64_t Integer(const toml::node& node, const std::string& key, int64_t min, int64_t max) const;
    std::string SourceFile(const toml::node& node, const std::string& key) const;

    void ReadRecordFields(const toml::table& table, const std::string& path, const std::string& section,
                          const std::vector<RecordField>& fields, uint8_t* bytes, size_t size) const;
    template <class Record> void ReadRaw(const toml::table& table, const std::string& path, Record& record) const;
    std::string IndexListText(const toml::node& node, const std::string& key, bool effects,
                              const std::vector<std::string>* names) const;
    std::string FontStyle(const toml::node& node, const std::string& key) const;
    PanZoomSetting PanZoom(const toml::node& node, const std::string& key) const;

    void ReadProject(const toml::table& root, PackPlan& plan) const;
    void ReadItem(const toml::table& entry, const std::string& path, PackPlan& plan);
    StoredFile ReadNamedFile(const toml::table& entry, const std::string& path, bool nameRequired,
                             bool picture = false) const;
    MediaReference ReadReference(const toml::table& entry, const std::string& path, bool picture) const
    {
        MediaReference reference;
        preparePending_ = keptAsIs_ = false;
        reference.file = ReadNamedFile(entry, path, true, picture);
        reference.picture = picture && !reference.file.sourcePath.empty();
        reference.preparePending = preparePending_;
        reference.asIs = keptAsIs_;
        if (const toml::node* node = entry.get("file"))
            reference.origin = file_ + ":" + std::to_string(node->source().begin.line) + ": " + path + ".file";
        return reference;
    }
    void AddMedia(const StoredFile& file, uint32_t line, const std::string& key, PackPlan& plan);
    // Where an entry names its stored file: the line and key to point at when that name clashes.
    static std::pair<uint32_t, std::string> NameSource(const toml::table& entry, const std::string& path)
    {
        for (const char* key : {"stored_name", "name", "file"}) {
            if (const toml::node* node = entry.get(key))
                return {node->source().begin.line, path + "." + key};
        }
        return {entry.source().begin.line, path};
    }

    std::string file_;
    fs::path folder_;
    ManifestOptions options_;
    std::vector<std::string> backgroundNames_;
    // What the entry last read said of its picture: to be prepared when packed, or stored exactly as it is.
    mutable bool preparePending_ = false;
    mutable bool keptAsIs_ = false;
    struct MediaEntry {
        size_t index;
        std::string source;
        uint32_t line;
    };
    std::map<std::string, MediaEntry> mediaByName_;
    // Pictures of kinds nothing on this machine reads, by kind: refused together, once.
    mutable std::map<std::string, std::vector<std::string>> unreadable_;
};

void Reader::CheckKeys(const toml::table& table, const std::string& path, const std::set<std::string>& allowed) const
{
    for (auto&& [key, value] : table) {
        const std::string name(key.str());
        if (allowed.count(name))
            continue;
        // A slip of the keyboard or a word in another form (colour for color, display-time) is named.
        const std::string closest = ClosestWord(name, std::vector<std::string>(allowed.begin(), allowed.end()));
        Fail(value, path.empty() ? name : path + "." + name,
             closest.empty() ? "unknown key" : "unknown key (did you mean \"" + closest + "\"?)");
    }
}

const toml::table& Reader::Table(const toml::node& node, const std::string& key) const
{
    if (!node.is_table())
        Fail(node, key, "expected a table");
    return *node.as_table();
}

const toml::array& Reader::Array(const toml::node& node, const std::string& key) const
{
    if (!node.is_array())
        Fail(node, key, "expected an array");
    return *node.as_array();
}

std::string Reader::String(const toml::node& node, const std::string& key) const
{
    // Texts that are not UTF-8 (the system's code page) are written as { hex = "..." }.
    if (const toml::table* table = node.as_table(); table && table->size() == 1 && table->get("hex")) {
        const toml::node& hex = *table->get("hex");
        auto bytes = hex.is_string() ? HexBytes(hex.as_string()->get()) : std::nullopt;
        if (!bytes)
            Fail(hex, key + ".hex", "expected hexadecimal digits");
        return std::string(bytes->begin(), bytes->end());
    }
    if (!node.is_string())
        Fail(node, key, "expected a string");
    return node.as_string()->get();
}

std::string Reader::Text(const toml::node& node, const std::string& key, int codePage,
                         std::optional<std::string> value) const
{
    const std::string text = value ? *value : String(node, key);
    if (!node.is_string() || IsAscii(text))
        return text;
    std::string offending;
    if (auto converted = Utf8ToCodePage(text, codePage, &offending))
        return *converted;
    // Titles and descriptions are read in their font's character set; other texts always in Windows-1252.
    const bool itemText = key.ends_with("title.text") || key.ends_with("description.text");
    std::string fix = "; use only its characters";
    if (itemText) {
        const std::optional<int> charset = CharsetHolding(text);
        fix = charset ? "; give charset = " + std::to_string(*charset) + " (" + CharsetName(*charset) +
                ") beside it, whose code page holds the whole text"
                      : "; no one character set holds every character of this text: leave out those of other "
                        "scripts, or write them in Latin letters";
    }
    Fail(node, key,
         "the character \"" + offending + "\" (" + CodePointName(offending) + ") is not in Windows code page " +
             std::to_string(codePage) + ", in which the runtime reads this text" + fix);
}

bool Reader::Bool(const toml::node& node, const std::string& key) const
{
    if (!node.is_boolean())
        Fail(node, key, "expected true or false");
    return node.as_boolean()->get();
}

int64_t Reader::Integer(const toml::node& node, const std::string& key, int64_t min, int64_t max) const
{
    if (!node.is_integer())
        Fail(node, key, "expected an integer");
    const int64_t value = node.as_integer()->get();
    if (value < min || value > max)
        Fail(node, key,
             "value " + std::to_string(value) + " out of range " + std::to_string(min) + " to " + std::to_string(max));
    return value;
}

std::string Reader::SourceFile(const toml::node& node, const std::string& key) const
{
    const std::string text = String(node, key);
    if (text.empty())
        Fail(node, key, "empty file path");
    fs::path path = PathFromUtf8(text);
    if (path.is_relative())
        path = folder_ / path;
    path = path.lexically_normal().make_preferred();
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        Fail(node, key, "file not found: " + Utf8Of(path));
    return Utf8Of(fs::absolute(path, ec).lexically_normal());
}

void Reader::ReadRecordFields(const toml::table& table, const std::string& path, const std::string& section,
                              const std::vector<RecordField>& fields, uint8_t* bytes, size_t size) const
{
    for (const RecordField& field : fields) {
        if (section != field.section)
            continue;
        const toml::node* node = table.get(field.key);
        if (!node)
            continue;
        const std::string key = path + "." + field.key;
        auto get32 = [&] { return ReadLE32(bytes + field.offset); };
        auto set32 = [&](uint32_t v) { WriteLE32(bytes + field.offset, v); };
        if (field.offset >= size)
            continue;
        // A value already saying what the manifest says is left alone, so stored padding survives.
        switch (field.kind) {
        case FieldKind::Flag:
            if ((bytes[field.offset] != 0) != Bool(*node, key))
                bytes[field.offset] = Bool(*node, key) ? 1 : 0;
            break;
        case FieldKind::OneInt:
            if ((get32() == 1) != Bool(*node, key))
                set32(Bool(*node, key) ? 1 : 0);
            break;
        case FieldKind::Int:
            set32(static_cast<uint32_t>(static_cast<int32_t>(Integer(*node, key, field.min, field.max))));
            break;
        case FieldKind::Byte: bytes[field.offset] = static_cast<uint8_t>(Integer(*node, key, 0, 255)); break;
        case FieldKind::Colour:
            if (!node->is_string() && !node->is_integer())
                Fail(*node, key, "expected a colour \"#RRGGBB\" or a number");
            if (node->is_string()) {
                auto colour = ParseColour(node->as_string()->get());
                if (!colour)
                    Fail(*node, key, "expected a colour \"#RRGGBB\"");
                set32(*colour);
            } else {
                set32(static_cast<uint32_t>(Integer(*node, key, 0, UINT32_MAX)));
            }
            break;
        case FieldKind::Choice: {
            std::string names;
            for (const auto& c : *field.choices)
                names += std::string(names.empty() ? "" : ", ") + c.name;
            if (!node->is_string() && !node->is_integer())
                Fail(*node, key, "expected one of " + names + " or a number");
            if (node->is_string()) {
                auto value = ChoiceValueOf(field, node->as_string()->get());
                if (!value)
                    Fail(*node, key, "unknown value \"" + node->as_string()->get() + "\" (one of " + names + ")");
                set32(static_cast<uint32_t>(*value));
            } else {
                set32(static_cast<uint32_t>(static_cast<int32_t>(Integer(*node, key, field.min, field.max))));
            }
            break;
        }
        }
    }
}

template <class Record> void Reader::ReadRaw(const toml::table& table, const std::string& path, Record& record) const
{
    if (const toml::node* raw = table.get("raw")) {
        auto bytes = FromHex(String(*raw, path + ".raw"), Record::kSize);
        if (!bytes)
            Fail(*raw, path + ".raw", "expected " + std::to_string(Record::kSize * 2) + " hexadecimal digits");
        record.Assign(bytes->data(), bytes->size());
    }
}

// An index list given as an array of numbers (or, for effects and background images, names), or as the
// stored text itself.
std::string Reader::IndexListText(const toml::node& node, const std::string& key, bool effects,
                                  const std::vector<std::string>* names) const
{
    if (!node.is_array())
        return Text(node, key);
    std::vector<int> values;
    for (auto&& element : Array(node, key)) {
        if (element.is_integer()) {
            values.push_back(static_cast<int>(Integer(element, key, 0, effects ? kEffectCount - 1 : INT32_MAX)));
            continue;
        }
        if (!element.is_string())
            Fail(element, key, "expected numbers or names");
        const std::string name = element.as_string()->get();
        int index = -1;
        if (effects) {
            index = FindEffectByName(name);
        } else if (names) {
            for (size_t i = 0; i < names->size(); ++i) {
                if (ToLowerAscii((*names)[i]) == ToLowerAscii(name)) {
                    index = static_cast<int>(i);
                    break;
                }
            }
        }
        if (index < 0) {
            std::vector<std::string> known;
            if (effects) {
                for (int i = 0; i < kEffectCount; ++i)
                    known.push_back(EffectName(i));
            } else if (names) {
                known = *names;
            }
            const std::string closest = ClosestWord(name, known);
            Fail(element, key,
                 std::string(effects ? "unknown effect" : "unknown background image") + " \"" + name + "\"" +
                     (closest.empty() ? (effects ? " (scrpack effects lists them)" : "")
                                      : " (did you mean \"" + closest + "\"?)"));
        }
        values.push_back(index);
    }
    return FormatIndexList(values);
}

// true (the defaults), false, or a table: the end zoom in percent and the two points, each [x, y] in percent
// of the room the zoom leaves; both points or neither (a random direction).
PanZoomSetting Reader::PanZoom(const toml::node& node, const std::string& key) const
{
    PanZoomSetting s;
    if (node.is_boolean()) {
        s.enabled = Bool(node, key);
        return s;
    }
    const toml::table& table = Table(node, key);
    CheckKeys(table, key, {"zoom", "from", "to"});
    s.enabled = true;
    if (const toml::node* zoom = table.get("zoom"))
        s.zoomPercent =
            static_cast<int>(Integer(*zoom, key + ".zoom", PanZoomSetting::kMinZoom, PanZoomSetting::kMaxZoom));
    const toml::node* from = table.get("from");
    const toml::node* to = table.get("to");
    if (!from && !to)
        return s;
    if (!from || !to)
        Fail(table, key, "give both from and to, or neither for a random direction");
    auto point = [&](const toml::node& n, const std::string& k, int& x, int& y) {
        const toml::array& xy = Array(n, k);
        if (xy.size() != 2)
            Fail(n, k, "expected [x, y] in percent");
        x = static_cast<int>(Integer(*xy.get(0), k, 0, 100));
        y = static_cast<int>(Integer(*xy.get(1), k, 0, 100));
    };
    point(*from, key + ".from", s.fromX, s.fromY);
    point(*to, key + ".to", s.toX, s.toY);
    s.pointsChosen = true;
    return s;
}

std::string Reader::FontStyle(const toml::node& node, const std::string& key) const
{
    if (!node.is_array())
        return Text(node, key);
    std::string text;
    for (auto&& element : Array(node, key)) {
        const std::string word = String(element, key);
        const auto& words = FontStyleWords();
        size_t i = 0;
        while (i < words.size() && words[i] != word)
            ++i;
        if (i == words.size())
            Fail(element, key, "unknown style \"" + word + "\" (bold, italic, underline or strikeout)");
        text += std::to_string(i + 1) + ";";
    }
    return text;
}

void Reader::ReadProject(const toml::table& root, PackPlan& plan) const
{
    plan.project.options = DefaultProjectOptions();
    for (const char* field : kProjectTextFields)
        plan.project.texts[field] = "";
    if (const toml::node* node = root.get("project")) {
        const toml::table& project = Table(*node, "project");
        std::set<std::string> allowed = {"banner"};
        for (auto& [key, field] : kProjectTextKeys)
            allowed.insert(key);
        CheckKeys(project, "project", allowed);
        for (auto& [key, field] : kProjectTextKeys) {
            if (const toml::node* value = project.get(key))
                plan.project.texts[field] = Text(*value, std::string("project.") + key);
        }
        if (const toml::node* banner = project.get("banner"))
            plan.project.bannerPath = SourceFile(*banner, "project.banner");
    }
    if (const toml::node* node = root.get("options")) {
        const toml::table& options = Table(*node, "options");
        std::set<std::string> allowed = {"raw"};
        for (const auto& field : ProjectOptionFields())
            allowed.insert(field.key);
        CheckKeys(options, "options", allowed);
        ReadRaw(options, "options", plan.project.options);
        std::array<uint8_t, ProjectOptions::kSize> bytes = plan.project.options.Bytes();
        ReadRecordFields(options, "options", "", ProjectOptionFields(), bytes.data(), bytes.size());
        plan.project.options.Assign(bytes.data(), bytes.size());
    }
}

StoredFile Reader::ReadNamedFile(const toml::table& entry, const std::string& path, bool nameRequired,
                                 bool picture) const
{
    StoredFile file;
    std::string extension; // of a converted picture
    if (const toml::node* node = entry.get("file")) {
        file.sourcePath = SourceFile(*node, path + ".file");
        // Pictures are prepared for the runtime unless the entry asks for its file exactly as it is.
        bool convert = true;
        if (const toml::node* flag = entry.get("convert")) {
            convert = Bool(*flag, path + ".convert");
            keptAsIs_ = !convert;
        }
        if (picture && convert && options_.keepConversions) {
            preparePending_ = true;
        } else if (picture && convert) {
            const std::string origin = file_ + ":" + std::to_string(node->source().begin.line) + ": " + path + ".file";
            try {
                PreparedPicture prepared = ConvertPicture(file.sourcePath, options_.workFolder);
                if (!prepared.changes.empty() && options_.workFolder.empty())
                    throw ConvertError("no folder for converted pictures");
                if (!prepared.changes.empty() && options_.note) {
                    std::string said;
                    for (const std::string& change : prepared.changes)
                        said += (said.empty() ? "" : ", ") + change;
                    options_.note(origin + ": " + Utf8Of(PathFromUtf8(file.sourcePath).filename()) + ": " + said);
                }
                file.sourcePath = prepared.path;
                extension = prepared.extension;
            } catch (const ConvertError& e) {
                if (e.UnreadableKind().empty())
                    Fail(*node, path + ".file", file.sourcePath + ": " + e.what());
                unreadable_[e.UnreadableKind()].push_back(origin + ": " + file.sourcePath);
            }
        }
    }
    if (const toml::node* node = entry.get("name")) {
        file.name = Text(*node, path + ".name");
    } else if (!file.sourcePath.empty()) {
        // By bytes, not through a path object, which the Windows build reads in the ANSI code page.
        std::string name = FileNameOf(String(*entry.get("file"), path + ".file"));
        if (!extension.empty()) {
            const size_t dot = name.rfind('.');
            name = (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot)) + extension;
        }
        file.name = Text(*entry.get("file"), path + ".file", kAnsiCodePage, name);
    } else if (nameRequired) {
        Fail(entry.source().begin.line, path + ".name", "missing: give a name or a file");
    }
    return file;
}

void Reader::AddMedia(const StoredFile& file, uint32_t line, const std::string& key, PackPlan& plan)
{
    const std::string lower = ToLowerAscii(file.name);
    auto found = mediaByName_.find(lower);
    if (found != mediaByName_.end()) {
        // Several items may show the same stored file; two different files may not share a name.
        if (found->second.source == file.sourcePath)
            return;
        Fail(line, key,
             "duplicate media name \"" + file.name + "\" (also used at line " + std::to_string(found->second.line) +
                 " for another file)");
    }
    mediaByName_[lower] = {plan.media.size(), file.sourcePath, line};
    plan.media.push_back(file);
}

void Reader::ReadItem(const toml::table& entry, const std::string& path, PackPlan& plan)
{
    std::set<std::string> allowed = {"file", "name",  "convert",    "stored_name", "sound",    "accessory",
                                     "raw",  "title", "background", "transition",  "pan_zoom", "description"};
    std::map<std::string, std::set<std::string>> sections = {
        {"title", {"text", "font", "style"}},
        {"description", {"text", "font", "style"}},
        {"background", {"gradients", "images"}},
        {"transition", {"effects"}},
    };
    for (const auto& field : MediaRecordFields()) {
        if (*field.section)
            sections[field.section].insert(field.key);
        else
            allowed.insert(field.key);
    }
    CheckKeys(entry, path, allowed);

    PackedItem item;
    item.record = DefaultMediaRecord();
    item.texts = DefaultItemTexts();
    ReadRaw(entry, path, item.record);
    std::array<uint8_t, MediaSettingsRecord::kSize> bytes = item.record.Bytes();
    ReadRecordFields(entry, path, "", MediaRecordFields(), bytes.data(), bytes.size());

    item.media =
        ReadReference(entry, path, ReadLE32(bytes.data() + MediaSettingsRecord::kMediaType) == MediaKind::kImage);
    item.texts["filename"] = item.media.file.name;
    if (const toml::node* node = entry.get("stored_name"))
        item.media.file.name = Text(*node, path + ".stored_name");
    item.media.addsMedia = !item.media.file.name.empty();
    if (const toml::node* node = entry.get("sound"))
        item.texts["bindsound"] = Text(*node, path + ".sound");
    if (const toml::node* node = entry.get("accessory"))
        item.texts["accfile"] = Text(*node, path + ".accessory");

    for (auto& [name, keys] : sections) {
        const toml::node* node = entry.get(name);
        if (!node)
            continue;
        const std::string sectionPath = path + "." + name;
        const toml::table& section = Table(*node, sectionPath);
        CheckKeys(section, sectionPath, keys);
        ReadRecordFields(section, sectionPath, name, MediaRecordFields(), bytes.data(), bytes.size());
        const bool title = name == "title";
        if (title || name == "description") {
            if (const toml::node* v = section.get("text"))
                item.texts[title ? "title" : "desc"] =
                    Text(*v, sectionPath + ".text",
                         CodePageOfCharset(
                             bytes[title ? MediaSettingsRecord::kTitleCharset : MediaSettingsRecord::kDescCharset]));
            if (const toml::node* v = section.get("font"))
                item.texts[title ? "titlefontname" : "descfontname"] = Text(*v, sectionPath + ".font");
            if (const toml::node* v = section.get("style"))
                item.texts[title ? "titlefontstyle" : "descfontstyle"] = FontStyle(*v, sectionPath + ".style");
        } else if (name == "background") {
            if (const toml::node* v = section.get("gradients"))
                item.texts["gradientstring"] = IndexListText(*v, sectionPath + ".gradients", false, nullptr);
            if (const toml::node* v = section.get("images"))
                item.texts["selectedimagebackgroundstring"] =
                    IndexListText(*v, sectionPath + ".images", false, &backgroundNames_);
        } else if (name == "transition") {
            if (const toml::node* v = section.get("effects"))
                item.texts["effect"] = IndexListText(*v, sectionPath + ".effects", true, nullptr);
        }
    }
    item.record.Assign(bytes.data(), bytes.size());
    if (const toml::node* node = entry.get("pan_zoom"))
        WritePanZoom(item.record, PanZoom(*node, path + ".pan_zoom"));
    if (item.media.addsMedia) {
        auto [line, key] = NameSource(entry, path);
        AddMedia(item.media.file, line, key, plan);
    }
    plan.items.push_back(std::move(item));
}

PackPlan Reader::Read(const toml::table& root)
{
    CheckKeys(root, "",
              {"project", "options", "media", "music", "background", "runtime_library", "accessory_file", "stored_file",
               "media_order"});
    PackPlan plan;
    ReadProject(root, plan);

    auto entries = [&](const char* key, auto&& each) {
        const toml::node* node = root.get(key);
        if (!node)
            return;
        size_t index = 0;
        for (auto&& element : Array(*node, key)) {
            const std::string path = std::string(key) + "[" + std::to_string(index++) + "]";
            each(Table(element, path), path);
        }
    };
    // Background images first: items may name them.
    std::vector<std::pair<uint32_t, std::string>> backgroundSources;
    entries("background", [&](const toml::table& entry, const std::string& path) {
        CheckKeys(entry, path, {"name", "file", "stored_name", "convert"});
        PackedBackground background;
        background.media = ReadReference(entry, path, true);
        background.name = background.media.file.name;
        if (const toml::node* node = entry.get("stored_name"))
            background.media.file.name = Text(*node, path + ".stored_name");
        background.media.addsMedia = !background.media.file.name.empty();
        backgroundNames_.push_back(background.name);
        plan.backgrounds.push_back(background);
        backgroundSources.push_back(NameSource(entry, path));
    });
    entries("media", [&](const toml::table& entry, const std::string& path) { ReadItem(entry, path, plan); });
    for (size_t i = 0; i < plan.backgrounds.size(); ++i) {
        if (plan.backgrounds[i].media.addsMedia)
            AddMedia(plan.backgrounds[i].media.file, backgroundSources[i].first, backgroundSources[i].second, plan);
    }
    entries("stored_file", [&](const toml::table& entry, const std::string& path) {
        CheckKeys(entry, path, {"name", "file"});
        StoredFile file = ReadNamedFile(entry, path, true);
        plan.extraMedia.push_back(file);
        auto [line, key] = NameSource(entry, path);
        AddMedia(file, line, key, plan);
    });
    entries("music", [&](const toml::table& entry, const std::string& path) {
        CheckKeys(entry, path, {"name", "file", "track", "type"});
        PackedMusic music;
        music.file = ReadNamedFile(entry, path, true);
        if (const toml::node* node = entry.get("track"))
            music.type = Bool(*node, path + ".track") ? 1 : 0;
        if (const toml::node* node = entry.get("type"))
            music.type = static_cast<uint32_t>(Integer(*node, path + ".type", 0, UINT32_MAX));
        plan.music.push_back(music);
    });
    entries("runtime_library", [&](const toml::table& entry, const std::string& path) {
        CheckKeys(entry, path, {"name", "file"});
        plan.libraries.push_back(ReadNamedFile(entry, path, true));
    });
    entries("accessory_file", [&](const toml::table& entry, const std::string& path) {
        CheckKeys(entry, path, {"name", "file"});
        plan.accessories.push_back(ReadNamedFile(entry, path, true));
    });

    if (!unreadable_.empty()) {
        std::string kinds, files;
        for (const auto& [kind, where] : unreadable_) {
            kinds += (kinds.empty() ? "" : " and ") + kind;
            for (const std::string& one : where)
                files += "\n  " + one;
        }
        throw ManifestError(UnreadableFormatsAdvice(kinds) + ":" + files);
    }

    // Sounds bound to items must be in the music table.
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const std::string& sound = plan.items[i].texts["bindsound"];
        if (sound.empty())
            continue;
        // The runtime takes the first music record whose name contains the sound's file name.
        const std::string part = ToLowerAscii(FileNameOf(sound));
        bool known = false;
        for (const auto& music : plan.music)
            known = known || ToLowerAscii(music.file.name).find(part) != std::string::npos;
        if (!known) {
            const toml::node* node = root.get("media")->as_array()->get(i);
            Fail(*node->as_table()->get("sound"), "media[" + std::to_string(i) + "].sound",
                 "no [[music]] entry named \"" + sound + "\"");
        }
    }

    if (const toml::node* node = root.get("media_order")) {
        const toml::array& order = Array(*node, "media_order");
        std::vector<StoredFile> media;
        std::set<std::string> seen;
        for (auto&& element : order) {
            const std::string name = ToLowerAscii(Text(element, "media_order"));
            auto found = mediaByName_.find(name);
            if (found == mediaByName_.end())
                Fail(element, "media_order", "no stored file named \"" + String(element, "media_order") + "\"");
            if (!seen.insert(name).second)
                Fail(element, "media_order", "\"" + String(element, "media_order") + "\" listed twice");
            media.push_back(plan.media[found->second.index]);
            plan.mediaOrder.push_back(media.back().name);
        }
        if (media.size() != plan.media.size())
            Fail(*node, "media_order",
                 "must list every stored file once (" + std::to_string(plan.media.size()) + " files, " +
                     std::to_string(media.size()) + " listed)");
        plan.media = std::move(media);
    }
    return plan;
}

} // namespace

PackPlan ParseManifest(std::string_view text, const std::string& path, const ManifestOptions& options)
{
    toml::table root;
    try {
        root = toml::parse(text, path);
    } catch (const toml::parse_error& e) {
        std::ostringstream message;
        message << path << ":" << e.source().begin.line << ": " << e.description();
        throw ManifestError(message.str());
    }
    fs::path folder = PathFromUtf8(path).parent_path();
    if (folder.empty())
        folder = ".";
    return Reader(path, folder, options).Read(root);
}

void ApplyRecordFields(const toml::table& table, const std::string& section, const std::vector<RecordField>& fields,
                       uint8_t* bytes, size_t size)
{
    Reader("(generated)", ".").ReadRecordFields(table, section, section, fields, bytes, size);
}

PackPlan ReadManifest(const std::string& path, const ManifestOptions& options)
{
    // A folder opens as an empty stream on some systems: it would pack as an empty project.
    std::error_code ec;
    if (fs::is_directory(PathFromUtf8(path), ec))
        throw ManifestError(path + ": is a folder, not a manifest");
    // A program or a video given by mistake would be read whole before the parser refuses it.
    constexpr std::uintmax_t kMaxManifestBytes = 64u << 20;
    if (const std::uintmax_t size = fs::file_size(PathFromUtf8(path), ec); !ec && size > kMaxManifestBytes)
        throw ManifestError(path + ": " + std::to_string(size) + " bytes is too long for a manifest (at most " +
                            std::to_string(kMaxManifestBytes) + ")");
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in)
        throw ManifestError(path + ": cannot read the manifest");
    std::ostringstream text;
    text << in.rdbuf();
    return ParseManifest(text.str(), path, options);
}

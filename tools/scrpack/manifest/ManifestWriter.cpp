#include "scrpack/manifest/ManifestWriter.h"
#include "base/ByteOrder.h"

#include "model/IndexList.h"
#include "model/PanZoomSetting.h"
#include "platform/Paths.h"
#include "scrpack/manifest/ManifestDefaults.h"
#include "scrpack/manifest/ManifestFields.h"
#include "scrpack/manifest/ManifestReader.h"
#include "scrpack/texts/CodePage.h"

#include <toml++/toml.h>

#include <sstream>

namespace {

// Well-formed UTF-8 as a TOML reader accepts it: no overlong forms, no surrogates, nothing past U+10FFFF,
// and no control characters other than tab and line breaks.
bool IsUtf8(const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f)
                return false;
            ++i;
            continue;
        }
        const size_t extra = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (extra == 0 || i + extra >= text.size())
            return false;
        // The second byte's range also rules out overlong forms, surrogates and values past U+10FFFF.
        const auto second = static_cast<unsigned char>(text[i + 1]);
        const unsigned char low = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
        if (second < low || second > high)
            return false;
        for (size_t k = 2; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        }
        i += extra + 1;
    }
    return true;
}

// A stored text in UTF-8, when its bytes convert from the code page and back unchanged and TOML can hold
// the result (C1 controls are refused too: some systems' Windows-1252 tables give them to undefined bytes).
std::optional<std::string> StoredTextAsUtf8(const std::string& text, int codePage)
{
    if (IsAscii(text))
        return IsUtf8(text) ? std::optional<std::string>(text) : std::nullopt;
    auto utf8 = CodePageToUtf8(text, codePage);
    if (!utf8 || !IsUtf8(*utf8))
        return std::nullopt;
    for (size_t i = 0; i + 1 < utf8->size(); ++i) {
        if (static_cast<unsigned char>((*utf8)[i]) == 0xC2 && static_cast<unsigned char>((*utf8)[i + 1]) < 0xA0)
            return std::nullopt;
    }
    if (Utf8ToCodePage(*utf8, codePage) != text)
        return std::nullopt;
    return utf8;
}

// A text as a TOML string converted from the code page the runtime reads it in, or as its bytes where
// that would not rebuild them.
void PutText(toml::table& table, const std::string& key, const std::string& text, int codePage = kAnsiCodePage)
{
    if (auto utf8 = StoredTextAsUtf8(text, codePage))
        table.insert_or_assign(key, *utf8);
    else
        table.insert_or_assign(key,
                               toml::table{{"hex", ToHex(reinterpret_cast<const uint8_t*>(text.data()), text.size())}});
}

// An index list as an array when it is written the usual way, otherwise as its text.
void PutIndexList(toml::table& table, const std::string& key, const std::string& text)
{
    const std::vector<int> values = ParseIndexList(text);
    if (FormatIndexList(values) != text) {
        PutText(table, key, text);
        return;
    }
    toml::array array;
    for (int v : values)
        array.push_back(v);
    table.insert_or_assign(key, std::move(array));
}

void PutFontStyle(toml::table& table, const std::string& key, const std::string& text)
{
    const std::vector<int> values = ParseIndexList(text);
    bool words = FormatIndexList(values) == text;
    toml::array array;
    for (int v : values) {
        if (v < 1 || v > static_cast<int>(FontStyleWords().size())) {
            words = false;
            break;
        }
        array.push_back(FontStyleWords()[static_cast<size_t>(v - 1)]);
    }
    if (words)
        table.insert_or_assign(key, std::move(array));
    else
        PutText(table, key, text);
}

uint32_t Get32(const uint8_t* bytes, size_t offset)
{
    return ReadLE32(bytes + offset);
}

// The named values of one section of a record that differ from the defaults.
void PutRecordFields(toml::table& table, const std::string& section, const std::vector<RecordField>& fields,
                     const uint8_t* bytes, const uint8_t* defaults)
{
    for (const RecordField& field : fields) {
        if (section != field.section)
            continue;
        const bool same = field.kind == FieldKind::Flag ? (bytes[field.offset] != 0) == (defaults[field.offset] != 0)
            : field.kind == FieldKind::OneInt
            ? (Get32(bytes, field.offset) == 1) == (Get32(defaults, field.offset) == 1)
            : field.kind == FieldKind::Byte ? bytes[field.offset] == defaults[field.offset]
                                            : Get32(bytes, field.offset) == Get32(defaults, field.offset);
        if (same)
            continue;
        PutRecordField(table, field, bytes);
    }
}

// Adds "raw" when the named values over the defaults do not give the stored bytes.
template <class Record>
void PutRawIfNeeded(toml::table& entry, const std::vector<std::string>& sections,
                    const std::vector<RecordField>& fields, const Record& defaults, const Record& actual)
{
    std::array<uint8_t, Record::kSize> rebuilt = defaults.Bytes();
    for (const std::string& section : sections) {
        const toml::table* table = section.empty() ? &entry : entry.get_as<toml::table>(section);
        if (table)
            ApplyRecordFields(*table, section, fields, rebuilt.data(), rebuilt.size());
    }
    if (rebuilt != actual.Bytes())
        entry.insert_or_assign("raw", ToHex(actual.Bytes().data(), Record::kSize));
}

void PutFile(toml::table& entry, const StoredFile& file)
{
    if (!file.sourcePath.empty())
        entry.insert_or_assign("file", file.sourcePath);
}

toml::table NamedFile(const StoredFile& file)
{
    toml::table entry;
    PutText(entry, "name", file.name);
    PutFile(entry, file);
    return entry;
}

// The name, stored name and file of an item or background image.
void PutReference(toml::table& entry, const std::string& name, const MediaReference& media)
{
    // A picture still to be prepared takes its name from the prepared file (a converted one's extension),
    // unless it is given one.
    if (!media.preparePending || name != FileNameOf(media.file.sourcePath))
        PutText(entry, "name", name);
    if (media.asIs)
        entry.insert_or_assign("convert", false);
    if (!media.addsMedia)
        entry.insert_or_assign("stored_name", "");
    else if (media.file.name != name)
        PutText(entry, "stored_name", media.file.name);
    PutFile(entry, media.file);
}

toml::table ItemTable(const PackedItem& item)
{
    static const std::map<std::string, std::string> defaults = DefaultItemTexts();
    static const MediaSettingsRecord defaultRecord = DefaultMediaRecord();
    const uint8_t* bytes = item.record.Bytes().data();
    const uint8_t* defaultBytes = defaultRecord.Bytes().data();
    auto text = [&](const char* field) {
        auto it = item.texts.find(field);
        return it == item.texts.end() ? std::string() : it->second;
    };
    // Texts equal to what a manifest entry holds anyway are left out.
    auto changed = [&](const char* field) { return text(field) != defaults.at(field); };
    toml::table entry;
    PutReference(entry, text("filename"), item.media);
    if (!text("bindsound").empty())
        PutText(entry, "sound", text("bindsound"));
    if (!text("accfile").empty())
        PutText(entry, "accessory", text("accfile"));
    PutRecordFields(entry, "", MediaRecordFields(), bytes, defaultBytes);

    toml::table title, desc, background, transition;
    if (changed("title"))
        PutText(title, "text", text("title"), CodePageOfCharset(bytes[MediaSettingsRecord::kTitleCharset]));
    if (changed("titlefontname"))
        PutText(title, "font", text("titlefontname"));
    if (changed("titlefontstyle"))
        PutFontStyle(title, "style", text("titlefontstyle"));
    if (changed("desc"))
        PutText(desc, "text", text("desc"), CodePageOfCharset(bytes[MediaSettingsRecord::kDescCharset]));
    if (changed("descfontname"))
        PutText(desc, "font", text("descfontname"));
    if (changed("descfontstyle"))
        PutFontStyle(desc, "style", text("descfontstyle"));
    if (changed("gradientstring"))
        PutIndexList(background, "gradients", text("gradientstring"));
    if (changed("selectedimagebackgroundstring"))
        PutIndexList(background, "images", text("selectedimagebackgroundstring"));
    if (changed("effect"))
        PutIndexList(transition, "effects", text("effect"));
    PutRecordFields(title, "title", MediaRecordFields(), bytes, defaultBytes);
    PutRecordFields(desc, "description", MediaRecordFields(), bytes, defaultBytes);
    PutRecordFields(background, "background", MediaRecordFields(), bytes, defaultBytes);
    PutRecordFields(transition, "transition", MediaRecordFields(), bytes, defaultBytes);
    for (auto [name, section] : {std::pair{"title", &title}, std::pair{"description", &desc},
                                 std::pair{"background", &background}, std::pair{"transition", &transition}}) {
        if (!section->empty())
            entry.insert_or_assign(name, std::move(*section));
    }
    // The pan and zoom as a key where the key rebuilds its bytes; otherwise the raw record carries them.
    MediaSettingsRecord rebuiltFrom = DefaultMediaRecord();
    const PanZoomSetting panZoom = ReadPanZoom(item.record);
    MediaSettingsRecord withPanZoom = item.record;
    WritePanZoom(withPanZoom, panZoom);
    if (panZoom.enabled && withPanZoom == item.record) {
        WritePanZoom(rebuiltFrom, panZoom);
        if (panZoom == PanZoomSetting{.enabled = true}) {
            entry.insert_or_assign("pan_zoom", true);
        } else {
            toml::table table;
            table.insert_or_assign("zoom", panZoom.zoomPercent);
            if (panZoom.pointsChosen) {
                table.insert_or_assign("from", toml::array{panZoom.fromX, panZoom.fromY});
                table.insert_or_assign("to", toml::array{panZoom.toX, panZoom.toY});
            }
            entry.insert_or_assign("pan_zoom", std::move(table));
        }
    }
    PutRawIfNeeded(entry, {"", "title", "description", "background", "transition"}, MediaRecordFields(), rebuiltFrom,
                   item.record);
    return entry;
}

} // namespace

std::string WriteManifestText(const PackPlan& plan)
{
    toml::table root;

    toml::table project;
    const std::pair<const char*, const char*> keys[] = {{"name", "projectname"},
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
                                                        {"project_description", "projectdesc"}};
    for (auto& [key, field] : keys) {
        auto it = plan.project.texts.find(field);
        if (it != plan.project.texts.end() && !it->second.empty())
            PutText(project, key, it->second);
    }
    if (!plan.project.bannerPath.empty())
        project.insert_or_assign("banner", plan.project.bannerPath);
    if (!project.empty())
        root.insert_or_assign("project", std::move(project));

    toml::table options;
    PutRecordFields(options, "", ProjectOptionFields(), plan.project.options.Bytes().data(),
                    DefaultProjectOptions().Bytes().data());
    PutRawIfNeeded(options, {""}, ProjectOptionFields(), DefaultProjectOptions(), plan.project.options);
    if (!options.empty())
        root.insert_or_assign("options", std::move(options));

    toml::array backgrounds;
    for (const PackedBackground& background : plan.backgrounds) {
        toml::table entry;
        PutReference(entry, background.name, background.media);
        backgrounds.push_back(std::move(entry));
    }
    toml::array items;
    for (const PackedItem& item : plan.items)
        items.push_back(ItemTable(item));
    toml::array extra;
    for (const StoredFile& file : plan.extraMedia)
        extra.push_back(NamedFile(file));
    toml::array music;
    for (const PackedMusic& track : plan.music) {
        toml::table entry = NamedFile(track.file);
        if (track.type <= 1)
            entry.insert_or_assign("track", track.type == 1);
        else
            entry.insert_or_assign("type", static_cast<int64_t>(track.type));
        music.push_back(std::move(entry));
    }
    toml::array libraries;
    for (const StoredFile& file : plan.libraries)
        libraries.push_back(NamedFile(file));
    toml::array accessories;
    for (const StoredFile& file : plan.accessories)
        accessories.push_back(NamedFile(file));

    auto putArray = [&](const char* key, toml::array&& array) {
        if (!array.empty())
            root.insert_or_assign(key, std::move(array));
    };
    putArray("background", std::move(backgrounds));
    putArray("media", std::move(items));
    putArray("stored_file", std::move(extra));
    putArray("music", std::move(music));
    putArray("runtime_library", std::move(libraries));
    putArray("accessory_file", std::move(accessories));
    if (!plan.mediaOrder.empty()) {
        toml::array order;
        for (const std::string& name : plan.mediaOrder) {
            if (auto utf8 = StoredTextAsUtf8(name, kAnsiCodePage))
                order.push_back(*utf8);
            else
                order.push_back(
                    toml::table{{"hex", ToHex(reinterpret_cast<const uint8_t*>(name.data()), name.size())}});
        }
        root.insert_or_assign("media_order", std::move(order));
    }

    std::ostringstream text;
    text << "# Project manifest for scrpack pack; see docs/manifest.md.\n\n" << toml::toml_formatter(root) << "\n";
    return text.str();
}

void PutRecordField(toml::table& table, const RecordField& field, const uint8_t* bytes)
{
    const auto value = static_cast<int32_t>(Get32(bytes, field.offset));
    switch (field.kind) {
    case FieldKind::Flag: table.insert_or_assign(field.key, bytes[field.offset] != 0); break;
    case FieldKind::OneInt: table.insert_or_assign(field.key, value == 1); break;
    case FieldKind::Byte: table.insert_or_assign(field.key, static_cast<int64_t>(bytes[field.offset])); break;
    case FieldKind::Colour:
        if ((Get32(bytes, field.offset) >> 24) == 0)
            table.insert_or_assign(field.key, FormatColour(Get32(bytes, field.offset)));
        else
            table.insert_or_assign(field.key, static_cast<int64_t>(Get32(bytes, field.offset)));
        break;
    case FieldKind::Choice:
        if (auto name = ChoiceNameOf(field, value)) {
            table.insert_or_assign(field.key, *name);
            break;
        }
        [[fallthrough]];
    case FieldKind::Int:
        // A value outside the named range is kept by "raw" instead.
        if (value >= field.min && value <= field.max)
            table.insert_or_assign(field.key, static_cast<int64_t>(value));
        break;
    }
}

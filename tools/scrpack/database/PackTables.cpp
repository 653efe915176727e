#include "scrpack/database/PackTables.h"

#include <cstring>

namespace {

TableValue FileValue(const StoredFile& file)
{
    return file.sourcePath.empty() ? TableValue(std::string()) : TableValue::FromFile(file.sourcePath);
}

std::string U32Bytes(uint32_t v)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    return bytes;
}

TableContent Empty(const TableLayout& layout)
{
    return TableContent(layout.name, layout.fields, layout.binary);
}

} // namespace

const std::vector<TableLayout>& PackedTableLayouts()
{
    static const std::vector<TableLayout> layouts = [] {
        std::vector<TableLayout> all;
        TableLayout project{"project", {"data"}, {}};
        for (const char* field : kProjectTextFields)
            project.fields.push_back(field);
        project.fields.push_back("banner");
        project.binary.assign(project.fields.size(), false);
        project.binary.back() = true;
        all.push_back(project);
        TableLayout setting{"setting", {"data"}, {}};
        for (const char* field : kSettingTextFields)
            setting.fields.push_back(field);
        setting.binary.assign(setting.fields.size(), false);
        all.push_back(setting);
        all.push_back({"music", {"name", "type", "music"}, {false, false, true}});
        all.push_back({"media", {"name", "media"}, {false, true}});
        all.push_back({"runtimelib", {"name", "libs"}, {false, true}});
        all.push_back({"backimage", {"name"}, {false}});
        all.push_back({"accfile", {"name", "accfile"}, {false, true}});
        return all;
    }();
    return layouts;
}

std::vector<TableContent> BuildTables(const PackPlan& plan)
{
    const auto& layouts = PackedTableLayouts();
    std::vector<TableContent> tables;

    TableContent project = Empty(layouts[0]);
    std::vector<TableValue> record{TableValue(plan.project.options.ToString())};
    for (const char* field : kProjectTextFields) {
        auto it = plan.project.texts.find(field);
        record.emplace_back(it == plan.project.texts.end() ? std::string() : it->second);
    }
    record.push_back(FileValue({"banner", plan.project.bannerPath}));
    project.AddRecord(std::move(record));
    tables.push_back(std::move(project));

    TableContent setting = Empty(layouts[1]);
    for (const PackedItem& item : plan.items) {
        std::vector<TableValue> values{TableValue(item.record.ToString())};
        for (const char* field : kSettingTextFields) {
            auto it = item.texts.find(field);
            values.emplace_back(it == item.texts.end() ? std::string() : it->second);
        }
        setting.AddRecord(std::move(values));
    }
    tables.push_back(std::move(setting));

    TableContent music = Empty(layouts[2]);
    for (const PackedMusic& track : plan.music)
        music.AddRecord({TableValue(track.file.name), TableValue(U32Bytes(track.type)), FileValue(track.file)});
    tables.push_back(std::move(music));

    TableContent media = Empty(layouts[3]);
    for (const StoredFile& file : plan.media)
        media.AddRecord({TableValue(file.name), FileValue(file)});
    tables.push_back(std::move(media));

    TableContent libs = Empty(layouts[4]);
    for (const StoredFile& file : plan.libraries)
        libs.AddRecord({TableValue(file.name), FileValue(file)});
    tables.push_back(std::move(libs));

    TableContent backimage = Empty(layouts[5]);
    for (const PackedBackground& background : plan.backgrounds)
        backimage.AddRecord({TableValue(background.name)});
    tables.push_back(std::move(backimage));

    TableContent acc = Empty(layouts[6]);
    for (const StoredFile& file : plan.accessories)
        acc.AddRecord({TableValue(file.name), FileValue(file)});
    tables.push_back(std::move(acc));
    return tables;
}

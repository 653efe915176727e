#pragma once
#include "db/DatabaseWriter.h"
#include "db/ProjectDatabase.h"
#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"
#include "model/TableFields.h"

#include <map>
#include <string>
#include <vector>

// Writes small project databases for the model's tests with the project's own writer.
class ProjectDbBuilder {
public:
    struct Item {
        MediaSettingsRecord record;
        std::string data; // when not empty: the stored "data" bytes instead of the record
        std::map<std::string, std::string> texts;
    };

    std::string projectData = ProjectOptions().ToString();
    std::map<std::string, std::string> projectTexts;
    std::string banner; // the dialog picture's bytes
    bool withProjectRecord = true;
    std::vector<Item> items;
    std::vector<std::pair<std::string, std::string>> media; // name, bytes

    Item& AddItem(const std::string& fileName, const std::string& effect = "0;1;2;")
    {
        Item item;
        item.texts["filename"] = fileName;
        item.texts["effect"] = effect;
        items.push_back(item);
        return items.back();
    }

    std::vector<TableContent> Tables() const
    {
        std::vector<TableContent> tables;
        TableContent project("project", {"data"});
        for (const char* f : kProjectTextFields)
            project.fields.push_back(f);
        project.fields.push_back("banner");
        project.binary.assign(project.fields.size(), false);
        project.binary.back() = true;
        if (withProjectRecord) {
            std::vector<TableValue> values{TableValue(projectData)};
            for (const char* f : kProjectTextFields)
                values.emplace_back(Text(projectTexts, f));
            values.emplace_back(banner);
            project.AddRecord(values);
        }
        tables.push_back(project);

        TableContent setting("setting", {"data"});
        for (const char* f : kSettingTextFields)
            setting.fields.push_back(f);
        for (const Item& item : items) {
            std::vector<TableValue> values{TableValue(item.data.empty() ? item.record.ToString() : item.data)};
            for (const char* f : kSettingTextFields)
                values.emplace_back(Text(item.texts, f));
            setting.AddRecord(values);
        }
        tables.push_back(setting);

        TableContent mediaTable("media", {"name", "media"}, {false, true});
        for (const auto& [name, bytes] : media)
            mediaTable.AddRecord({TableValue(name), TableValue(bytes)});
        tables.push_back(mediaTable);
        return tables;
    }

    // Writes the database and opens it.
    void WriteAndOpen(const std::string& path, ProjectDatabase& db) const
    {
        std::string error;
        if (!WriteDatabaseFile(path, Tables(), &error))
            throw std::runtime_error("cannot write test database: " + error);
        if (!db.Open(path, 0))
            throw std::runtime_error("cannot open test database");
    }

private:
    static std::string Text(const std::map<std::string, std::string>& texts, const char* field)
    {
        auto it = texts.find(field);
        return it == texts.end() ? std::string() : it->second;
    }
};

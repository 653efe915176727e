#pragma once
#include "db/DatabaseWriter.h"
#include "support/TempDir.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Builds a program file with a small project database attached, as the authoring tool does.
struct AppTestProject {
    std::string projectName = "Harbour Lights.kdp";
    int32_t runAsExe = 0;
    std::vector<std::pair<std::string, std::string>> libraries; // name, content
    bool withRuntimeTable = true;

    std::vector<TableContent> Tables() const
    {
        std::string data(80, '\0');
        for (int i = 0; i < 4; ++i)
            data[8 + i] = static_cast<char>((runAsExe >> (8 * i)) & 0xFF);
        TableContent project(
            "project",
            {"data", "appname", "homesite", "projectpath", "projectname", "dialogpicture", "authorname",
             "authorwebsite", "authoremail", "aboutpicture", "version", "copyright", "description", "projectdesc",
             "banner"},
            {false, false, false, false, false, false, false, false, false, false, false, false, false, false, true});
        project.AddRecord({data, "Show", "", "", projectName, "", "Ann", "", "", "", "1.0", "", "", "", ""});
        std::vector<TableContent> tables{project, TableContent("setting", {"data", "filename"}),
                                         TableContent("music", {"name", "type", "music"}, {false, false, true}),
                                         TableContent("media", {"name", "media"}, {false, true})};
        if (withRuntimeTable) {
            TableContent runtime("runtimelib", {"name", "libs"}, {false, true});
            for (const auto& [name, content] : libraries)
                runtime.AddRecord({name, content});
            tables.push_back(runtime);
        }
        return tables;
    }

    // Writes the program at path (the folder must exist); false when the writer failed.
    bool WriteProgram(const std::string& path) const
    {
        std::string exe = path + ".exe-image";
        {
            std::ofstream out(exe, std::ios::binary);
            out << "MZ program image";
        }
        std::string error;
        bool ok = AttachDatabase(exe, path, Tables(), &error);
        std::filesystem::remove(exe);
        return ok;
    }
};

#pragma once
#include "db/DatabaseTable.h"
#include "model/ProjectOptions.h"

#include <string>

class ProjectDatabase;

// The project-wide model: texts describing the screensaver and its author, and the project options.
// The "project" table stays open so the dialogs can read further fields of its record.
class ProjectInfo {
public:
    ProjectInfo() = default;
    ~ProjectInfo();
    ProjectInfo(const ProjectInfo&) = delete;
    ProjectInfo& operator=(const ProjectInfo&) = delete;

    void SetDatabase(ProjectDatabase* db) { db_ = db; }
    bool OpenProjectTable();
    // Reads the options and texts of the current (first) record; a missing table or record leaves
    // every text empty and every option 0.
    void Load();
    void Close();

    void SetExecutablePath(const std::string& path) { executablePath_ = path; }
    const std::string& GetExecutablePath() const { return executablePath_; }

    const ProjectOptions& Options() const { return options_; }
    const std::string& GetProjectName() const { return projectName_; }
    const std::string& GetAuthorName() const { return authorName_; }
    const std::string& GetAuthorEmail() const { return authorEmail_; }
    const std::string& GetAuthorWebsite() const { return authorWebsite_; }
    const std::string& GetVersion() const { return version_; }
    const std::string& GetDescription() const { return description_; }
    const std::string& GetAppName() const { return appName_; }
    const std::string& GetHomeSite() const { return homeSite_; }

    DatabaseTable& GetProjectTable() { return table_; }
    const DatabaseTable& GetProjectTable() const { return table_; }

private:
    ProjectDatabase* db_ = nullptr;
    DatabaseTable table_;
    ProjectOptions options_;
    std::string projectName_, authorName_, authorEmail_, authorWebsite_, version_, description_, appName_, homeSite_;
    std::string executablePath_;
};

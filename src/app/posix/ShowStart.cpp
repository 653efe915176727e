#include "app/posix/ShowStart.h"

#include <filesystem>

#include "app/ScreensaverApp.h"
#include "db/ProjectDatabase.h"
#include "model/SettingsStore.h"
#include "platform/DiagnosticLog.h"

ISettingsStore& PosixShowSystem::SettingsStore()
{
    return UserSettingsStore();
}

bool FindProject(const std::string& path, uint32_t& base, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = path + " is a folder";
        return false;
    }
    if (!fs::is_regular_file(path, ec)) {
        error = "no such file: " + path;
        return false;
    }
    // A project database of its own starts with its header; a program carries one behind its trailer, whose
    // last four bytes any file has, so the header decides there too.
    ProjectDatabase db;
    if (db.Open(path, 0) && db.HasHeader()) {
        base = 0;
        return true;
    }
    const int64_t trailer = ReadDatabaseTrailer(path);
    const auto size = fs::file_size(path, ec);
    if (trailer < 0 || ec || static_cast<uint64_t>(trailer) >= size || !db.Open(path, static_cast<uint32_t>(trailer)) ||
        !db.HasHeader()) {
        error = path +
            " carries no project: give a program with a project attached (.scr), a project database, a manifest "
            "(.toml) or a folder of pictures";
        return false;
    }
    base = static_cast<uint32_t>(trailer);
    return true;
}

bool StartProjectShow(const std::string& programPath, PosixShowSystem& system, std::string& error)
{
    uint32_t base = 0;
    if (!FindProject(programPath, base, error))
        return false;

    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(programPath, ec).string();
    ScreensaverApp app(system, DiagnosticLog::Instance());
    StartupArguments args;
    args.programPath = absolute;
    args.firstArgument = "/s";
    args.hasFirstArgument = true;
    args.rawCommandLine = "\"" + absolute + "\" /s";
    args.databaseBase = base;
    app.InitInstance(args);
    app.ExitInstance();
    if (!system.error.empty()) {
        error = system.error;
        return false;
    }
    if (!system.ran) {
        error = "the project's show did not start";
        return false;
    }
    return true;
}

#include "app/posix/ShowStart.h"

#include <filesystem>

#include "app/ScreensaverApp.h"
#include "db/MyXMLDb.h"
#include "model/SettingsStore.h"
#include "platform/Log.h"

ISettingsStore& CPosixShowSystem::SettingsStore()
{
    return UserSettingsStore();
}

bool StartProjectShow(const std::string& programPath, CPosixShowSystem& system, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(programPath, ec)) {
        error = "no such file: " + programPath;
        return false;
    }
    const int64_t base = ReadDatabaseTrailer(programPath);
    const auto size = fs::file_size(programPath, ec);
    if (base < 0 || ec || static_cast<uint64_t>(base) >= size) {
        error = "no project is attached to " + programPath;
        return false;
    }

    const std::string absolute = fs::absolute(programPath, ec).string();
    CScreensaverApp app(system, CLog::Instance());
    StartupArguments args;
    args.programPath = absolute;
    args.firstArgument = "/s";
    args.hasFirstArgument = true;
    args.rawCommandLine = "\"" + absolute + "\" /s";
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

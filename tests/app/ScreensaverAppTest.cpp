#include "app/ScreensaverApp.h"
#include "app/AppSystem.h"
#include "model/SettingsStore.h"
#include "platform/DiagnosticLog.h"
#include "platform/Paths.h"
#include "support/AppTestProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {
class MemoryStore final : public ISettingsStore {
public:
    std::map<std::string, Values> values;
    std::optional<Values> Read(const std::string& key) override
    {
        auto it = values.find(key);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    bool Write(const std::string& key, const std::vector<uint8_t>& data, const std::string& effects) override
    {
        values[key] = Values{data, effects};
        return true;
    }
};

// Records what start-up asks of the system, in order.
class FakeSystem final : public IAppSystem {
public:
    std::vector<std::string> calls;
    std::string systemDirectory;
    bool mutexFree = true;
    bool windowThrows = false;
    uint32_t existingWindow = 1234;
    MemoryStore store;
    // What the modal window saw when it ran.
    StartMode windowMode = StartMode::None;
    uint32_t windowParent = 0;
    std::string windowProject;
    int32_t windowMonitor = -1;
    bool projectOpenDuringWindow = false;
    // The temporary folder as the snapshot and the window saw it.
    std::string snapshotTemp;
    std::string windowTemp;

    void SetAsDefaultScreensaver(const std::string& path) override { calls.push_back("setdef " + path); }
    void InstallThroughShell(const std::string& path) override { calls.push_back("ins " + path); }
    void ChangePassword(uint32_t parent) override { calls.push_back("password " + std::to_string(parent)); }
    std::string SystemDirectory() override { return systemDirectory; }
    uint32_t ForegroundWindow() override { return 4242; }
    bool IsWindowHandle(uint32_t window) override { return window == existingWindow; }
    ISettingsStore& SettingsStore() override { return store; }
    bool CreateSaverMutex() override
    {
        calls.push_back("mutex");
        return mutexFree;
    }
    void CloseSaverMutex() override { calls.push_back("close mutex"); }
    void SaveDesktopSnapshot(int32_t monitor) override
    {
        calls.push_back("snapshot " + std::to_string(monitor));
        snapshotTemp = TempDirectory();
        std::ofstream(snapshotTemp + "kadodsk.bmp") << "this show's desktop";
    }
    void SetScreenSaverRunning(bool running) override { calls.push_back(running ? "running" : "stopped"); }
    void RunSettingsDialog(ScreensaverApp& app) override
    {
        calls.push_back("settings dialog");
        Saw(app);
    }
    void RunScreensaverWindow(ScreensaverApp& app) override
    {
        calls.push_back("screensaver window");
        Saw(app);
        windowTemp = TempDirectory();
        if (windowThrows)
            throw std::runtime_error("show failed");
    }
    void QuietExit() override { calls.push_back("quiet exit"); }

private:
    void Saw(ScreensaverApp& app)
    {
        windowMode = app.Mode();
        windowParent = app.ParentWindow();
        windowProject = app.Project().GetProjectName();
        windowMonitor = app.Settings().monitor;
        projectOpenDuringWindow = !app.Project().GetProjectTable().IsClosed();
    }
};

// One start of the program in a folder of its own, with a log beside it.
class AppRun : public ::testing::Test {
protected:
    TempDir dir;
    FakeSystem system;
    AppTestProject project;
    std::string program;

    void SetUp() override { program = dir.File("show.scr"); }

    // Runs start-up and shutdown with this command line (program name first); returns the log's messages.
    std::vector<std::string> Start(const std::string& arguments, bool writeProgram = true)
    {
        if (writeProgram) {
            EXPECT_TRUE(project.WriteProgram(program));
        }
        dir.Write("kado.log", "");
        {
            DiagnosticLog log(program);
            ScreensaverApp app(system, log);
            StartupArguments args;
            args.programPath = program;
            std::istringstream words(arguments);
            std::string word;
            if (words >> word) {
                args.firstArgument = word;
                args.hasFirstArgument = true;
            }
            if (words >> word)
                args.secondArgument = word;
            args.rawCommandLine = program + " " + arguments;
            EXPECT_FALSE(app.InitInstance(args));
            EXPECT_EQ(app.ExitInstance(), 0);
        }
        return Messages(TempDir::Read(dir.File("kado.log")));
    }

    static std::vector<std::string> Messages(const std::string& text)
    {
        std::vector<std::string> messages;
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            // Windows writes the log in text mode.
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.rfind("----", 0) == 0)
                continue;
            size_t at = line.find("[Screensaver,(");
            EXPECT_NE(at, std::string::npos) << line;
            size_t colon = line.find("] : ", at);
            messages.push_back(colon == std::string::npos ? line : line.substr(colon + 4));
        }
        return messages;
    }

    std::vector<std::string> Calls(std::initializer_list<std::string> calls) { return calls; }
};
} // namespace

TEST_F(AppRun, EmptyCommandLineOpensTheSettingsWithTheProjectLoaded)
{
    auto log = Start("");
    EXPECT_EQ(log,
              (std::vector<std::string>{"screensaver file : " + program, "start mode : Configure",
                                        "Openning the configuration dialog!", "Exit from the configuration dialog!"}));
    EXPECT_EQ(system.calls, Calls({"settings dialog", "close mutex", "quiet exit"}));
    EXPECT_EQ(system.windowMode, StartMode::Configure);
    EXPECT_EQ(system.windowProject, "Harbour Lights.kdp");
    EXPECT_TRUE(system.projectOpenDuringWindow);
}

TEST_F(AppRun, SaverTakesTheMutexAnnouncesItselfAndRunsTheShow)
{
    auto log = Start("/s");
    EXPECT_EQ(log,
              (std::vector<std::string>{"screensaver file : " + program, "start mode : Normal or Press Preview button!",
                                        "notify windows a screensaver is running",
                                        "notify windows screensaver is stopped!"}));
    EXPECT_EQ(system.calls,
              Calls({"mutex", "snapshot 1", "running", "screensaver window", "stopped", "close mutex", "quiet exit"}));
    EXPECT_EQ(system.windowMode, StartMode::Saver);
}

TEST_F(AppRun, SecondSaverEndsAtOnceAfterLoadingTheProject)
{
    system.mutexFree = false;
    auto log = Start("/S:99");
    EXPECT_EQ(log, (std::vector<std::string>{"screensaver file : " + program}));
    EXPECT_EQ(system.calls, Calls({"mutex", "quiet exit"}));
}

TEST_F(AppRun, StoredSettingsOfTheProjectKeyReachTheWindow)
{
    std::vector<uint8_t> data(72, 0);
    data[68] = 3; // monitor
    system.store.values["Software\\quillmark\\Harbour Lights"] = ISettingsStore::Values{data, std::string("1;")};
    Start("/s");
    EXPECT_EQ(system.windowMonitor, 3);
    EXPECT_EQ(system.calls[1], "snapshot 3");
}

TEST_F(AppRun, PreviewTakesTheParentWindowAndNoMutex)
{
    auto log = Start("/p 1234");
    EXPECT_EQ(system.calls,
              Calls({"snapshot 1", "running", "screensaver window", "stopped", "close mutex", "quiet exit"}));
    EXPECT_EQ(system.windowMode, StartMode::Preview);
    EXPECT_EQ(system.windowParent, 1234u);
    EXPECT_EQ(log.at(1), "start mode : Preview in small screen");
}

TEST_F(AppRun, PreviewIntoNoWindowEndsWithoutAShow)
{
    // Nothing would show it and nothing would close it.
    for (const char* line : {"/p", "/p 0", "/p:garbage", "/l 99999999999", "/p -5"}) {
        system.calls.clear();
        auto log = Start(line);
        EXPECT_EQ(system.calls, Calls({"quiet exit"})) << line;
        EXPECT_EQ(log.back(), "start mode : Preview in small screen") << line;
    }
}

TEST_F(AppRun, ConfigureWithoutNumberRecordsTheForegroundWindow)
{
    Start("/c");
    EXPECT_EQ(system.windowMode, StartMode::Configure);
    EXPECT_EQ(system.windowParent, 4242u);
}

TEST_F(AppRun, ExeInThePathMakesAnOrdinaryProgramWithoutAnnouncement)
{
    std::filesystem::create_directory(dir.Path() / "My.exe.dir");
    program = (dir.Path() / "My.exe.dir" / "show.scr").string();
    EXPECT_TRUE(project.WriteProgram(program));
    std::string logFile = (dir.Path() / "My.exe.dir" / "kado.log").string();
    std::ofstream(logFile).flush();
    {
        DiagnosticLog log(program);
        ScreensaverApp app(system, log);
        StartupArguments args{program, "/s", "", true, program + " /s", std::nullopt};
        app.InitInstance(args);
    }
    EXPECT_EQ(system.calls, Calls({"snapshot 1", "screensaver window", "close mutex"}));
    EXPECT_EQ(system.windowMode, StartMode::Program);
    auto log = Messages(TempDir::Read(logFile));
    EXPECT_EQ(log.at(1), "start mode : run as an exe file");
}

TEST_F(AppRun, ProjectFlagMakesAnOrdinaryProgram)
{
    project.runAsExe = 1;
    Start("");
    EXPECT_EQ(system.windowMode, StartMode::Program);
    project.runAsExe = 2;
    system = FakeSystem();
    Start("");
    EXPECT_EQ(system.windowMode, StartMode::Configure);
}

TEST_F(AppRun, OneShotCommandsEndBeforeTheProjectIsOpened)
{
    system.systemDirectory = (dir.Path() / "sys" / "").string();
    std::filesystem::create_directory(dir.Path() / "sys");
    project.libraries = {{"lib.dll", "bytes"}};

    auto log = Start("/setdef");
    EXPECT_EQ(log,
              (std::vector<std::string>{"screensaver file : " + program, "set as system's default screensaver!",
                                        "default screensaver is set!"}));
    EXPECT_EQ(system.calls, Calls({"setdef " + program, "quiet exit"}));

    system.calls.clear();
    log = Start("/ins");
    EXPECT_EQ(log,
              (std::vector<std::string>{"screensaver file : " + program, "open screensaver setting dialog!",
                                        "setting dialog closed!"}));
    EXPECT_EQ(system.calls, Calls({"ins " + program, "quiet exit"}));

    system.calls.clear();
    log = Start("/a 1234");
    EXPECT_EQ(log,
              (std::vector<std::string>{"screensaver file : " + program, "checking password in win9x",
                                        "finish checking password!"}));
    EXPECT_EQ(system.calls, Calls({"password 1234", "quiet exit"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "sys"));
}

TEST_F(AppRun, PasswordRequestWithoutSlashIsHandledLikeTheSlashForm)
{
    auto log = Start("-a 77");
    EXPECT_EQ(log,
              (std::vector<std::string>{"screensaver file : " + program, "start mode : change password",
                                        "checking password in win9x", "finish checking password!"}));
    EXPECT_EQ(system.calls, Calls({"password 77", "quiet exit"}));
}

TEST_F(AppRun, UnknownSwitchOpensTheSettings)
{
    auto log = Start("/x");
    EXPECT_EQ(system.windowMode, StartMode::Configure);
    EXPECT_EQ(log.at(1), "start mode : Configure");
}

TEST_F(AppRun, FailingShowStillClearsTheFlagAndClosesEverything)
{
    system.windowThrows = true;
    Start("/s");
    EXPECT_EQ(system.calls,
              Calls({"mutex", "snapshot 1", "running", "screensaver window", "stopped", "close mutex", "quiet exit"}));
}

TEST_F(AppRun, TheShowWritesIntoAFolderOfItsOwnThatGoesWithIt)
{
    TempDir temp;
    const std::string shared = temp.File("");
    SetTempDirectory(shared);
    std::ofstream(shared + "kadodsk.bmp") << "someone else's";
    for (bool throws : {false, true}) {
        system.windowThrows = throws;
        Start("/s");
        EXPECT_EQ(system.windowTemp, system.snapshotTemp);
        EXPECT_NE(system.windowTemp, shared);
        EXPECT_EQ(system.windowTemp.rfind(shared, 0), 0u) << "inside the system's temporary folder";
        EXPECT_FALSE(std::filesystem::exists(system.windowTemp)) << "removed with its snapshot, throws " << throws;
        EXPECT_EQ(TempDirectory(), shared);
    }
    EXPECT_EQ(TempDir::Read(shared + "kadodsk.bmp"), "someone else's");
    SetTempDirectory("");
}

TEST_F(AppRun, MissingProgramFileGivesAnEmptyProject)
{
    auto log = Start("", false);
    EXPECT_EQ(system.windowMode, StartMode::Configure);
    EXPECT_EQ(system.windowProject, "");
}

TEST_F(AppRun, RuntimeLibrariesGoToTheSystemDirectoryAtEveryStart)
{
    std::filesystem::create_directory(dir.Path() / "sys");
    system.systemDirectory = (dir.Path() / "sys" / "").string();
    dir.Write("evil.dll", "original");
    project.libraries = {{"Expic.dll", "decoder"},
                         {"..\\evil.dll", "evil"},
                         {"../evil.dll", "evil"},
                         {"NUL.dll", "x"},
                         {"other.dll", ""}};
    dir.Write("sys/other.dll", "system's own");
    Start("/p 5");
    EXPECT_EQ(TempDir::Read(dir.File("sys/Expic.dll")), "decoder");
    EXPECT_EQ(TempDir::Read(dir.File("evil.dll")), "original");
    EXPECT_EQ(TempDir::Read(dir.File("sys/other.dll")), "system's own");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "sys"), {}), 2);
}

TEST_F(AppRun, ProjectWithoutRuntimeTableWritesNothing)
{
    std::filesystem::create_directory(dir.Path() / "sys");
    system.systemDirectory = (dir.Path() / "sys" / "").string();
    project.withRuntimeTable = false;
    Start("/s");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "sys"));
    EXPECT_EQ(system.windowProject, "Harbour Lights.kdp");
}

#include "scrpack/studio/StudioCommand.h"

#include "platform/TemporaryPaths.h"
#include "scrpack/commands/NewCommand.h"
#include "scrpack/studio/Builds.h"
#include "scrpack/studio/StudioServer.h"

#include <CLI/CLI.hpp>

#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

extern char** environ;

namespace {

// The address in the default browser, through xdg-open itself: no shell sees it.
void OpenBrowser(const std::string& address)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(address.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ) != 0)
        std::cerr << "scrpack studio: cannot start xdg-open; open the address above yourself\n";
    posix_spawn_file_actions_destroy(&actions);
}

// SIGINT and SIGTERM reach the process's one signal-waiting thread (which also removes temporary folders on an
// interrupt); from there they only wake the studio, which stops its server in order.
std::mutex g_stopMutex;
std::condition_variable g_stopped;
bool g_stopRequested = false;

void OnStopSignal(int)
{
    {
        const std::lock_guard<std::mutex> lock(g_stopMutex);
        g_stopRequested = true;
    }
    g_stopped.notify_all();
}

void WaitForStopSignal()
{
    std::unique_lock<std::mutex> lock(g_stopMutex);
    g_stopped.wait(lock, [] { return g_stopRequested; });
}

} // namespace

int RunStudio(const StudioOptions& options)
{
    std::error_code ec;
    std::string manifest = options.path;
    if (fs::is_directory(options.path, ec)) {
        manifest = (fs::path(options.path) / "manifest.toml").string();
        if (!fs::exists(manifest, ec)) {
            NewOptions made;
            made.folder = options.path;
            if (RunNew(made, std::cout, std::cerr) != 0)
                return 1;
        }
    } else if (!fs::is_regular_file(options.path, ec)) {
        std::cerr << "scrpack studio: " << options.path << " not found\n";
        return 1;
    }

    // Before the server's threads start: they inherit the blocked signals.
    RemoveTemporaryPathsOnInterrupt();
    SetInterruptHandler(&OnStopSignal);
    // xdg-open's children are not waited for.
    std::signal(SIGCHLD, SIG_IGN);

    StudioSetup setup;
    setup.manifest = manifest;
    setup.port = options.port;
    setup.windowsRuntime = FindWindowsRuntime();
    setup.linuxRuntime = FindLinuxRuntime();
    StudioServer server(setup);
    std::string error;
    if (!server.Start(error)) {
        std::cerr << "scrpack studio: " << error << "\n";
        return 1;
    }
    std::cout << "studio for " << fs::absolute(manifest, ec).lexically_normal().string() << " at\n  "
              << server.Address() << "\n(Ctrl-C stops it; every change is already in the manifest)" << std::endl;
    if (!options.noBrowser)
        OpenBrowser(server.Address());
    WaitForStopSignal();
    server.Stop();
    std::cout << "studio stopped" << std::endl;
    return 0;
}

void RegisterStudioCommand(CLI::App& app)
{
    auto options = std::make_shared<StudioOptions>();
    CLI::App* command =
        app.add_subcommand("studio", "Make and preview a show in the browser, served from this machine only");
    command->add_option("path", options->path, "The show's folder (a manifest is made when it has none) or manifest");
    command->add_option("--port", options->port, "The port to listen on (default: a free one)")
        ->check(CLI::Range(1, 65535));
    command->add_flag("--no-browser", options->noBrowser, "Print the address without opening a browser");
    command->callback([options] {
        const int code = RunStudio(*options);
        if (code != 0)
            throw CLI::RuntimeError(code);
    });
}

#pragma once
#include <string>

namespace CLI {
class App;
}

struct StudioOptions {
    std::string path = "."; // a folder (a manifest is made for it when it has none) or a manifest
    int port = 0;           // 0: a free one
    bool noBrowser = false;
};

// Opens the studio and serves it until SIGINT or SIGTERM. Returns the exit code.
int RunStudio(const StudioOptions& options);

// Adds "studio [DIR | MANIFEST] [--port N] [--no-browser]" to the command line.
void RegisterStudioCommand(CLI::App& app);

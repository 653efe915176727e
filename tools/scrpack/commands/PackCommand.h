#pragma once
#include <ostream>
#include <string>

namespace CLI {
class App;
}

struct PackOptions {
    std::string manifest;
    std::string output;
    std::string runtime;  // empty: a database file of its own
    bool convert = false; // no longer needed: pictures are prepared unless their entry says convert = false
    // Store large JPEGs restart-marked (see RestartMarkedCopy): worth its cost for a show played for days, not
    // for one rendered once.
    bool markLargeJpegs = true;
    // Decode every picture first and stop at one that would not show; off where the caller has just done so.
    bool checkPictures = true;
};

// Builds the project database the manifest describes. Returns the exit code; messages go to err.
// Nothing is left at the output path when it fails.
int RunPack(const PackOptions& options, std::ostream& err);

// Whether a file is a program a project can be attached to: a Windows program, an ELF program (the
// Linux screensaver), or a script ("#!") that starts one.
bool IsRuntimeProgram(const std::string& path);

// Adds "pack MANIFEST -o OUT [--runtime EXE] [--convert]" to the command line.
void RegisterPackCommand(CLI::App& app);

#pragma once
#include <filesystem>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

struct NewOptions {
    std::string folder;
    std::string output; // empty: manifest.toml in the folder
    bool byDate = false;
};

// What a file in a show's folder is, by its extension.
enum class FileKind { Picture, Video, Sound, Other };
FileKind KindOf(const std::filesystem::path& path);
// The title a new item gets from its file name: "harbour_at-night.jpg" reads "harbour at night".
std::string TitleOf(const std::filesystem::path& path);

// Writes a manifest with an item for every picture and video in the folder and a music track for every
// sound, sorted by name (by the date a photo was taken with byDate). Returns the exit code; messages go to
// err. An existing manifest is never overwritten.
int RunNew(const NewOptions& options, std::ostream& out, std::ostream& err);

// Adds "new DIR [-o MANIFEST] [--by-date]" to the command line.
void RegisterNewCommand(CLI::App& app);

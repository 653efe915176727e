#include "program/posix/ShowSource.h"

#include <filesystem>
#include <sstream>

#include "base/TextCase.h"
#include "scrpack/commands/NewCommand.h"
#include "scrpack/commands/PackCommand.h"
#include "scrpack/files/WorkFolder.h"

namespace {

bool IsManifest(const std::string& path)
{
    return path.size() >= 5 && ToLowerAscii(path.substr(path.size() - 5)) == ".toml";
}

} // namespace

std::string Relabel(const std::string& messages, const std::string& command)
{
    std::string out;
    std::istringstream lines(messages);
    std::string line;
    while (std::getline(lines, line)) {
        for (const char* tool : {"scrpack pack: ", "scrpack new: "}) {
            if (line.rfind(tool, 0) == 0) {
                line = "screensaver " + command + ": " + line.substr(std::string(tool).size());
                break;
            }
        }
        out += line + "\n";
    }
    return out;
}

ShowSource::ShowSource(std::string command) : command_(std::move(command))
{
}

ShowSource::~ShowSource() = default;

bool ShowSource::MakeWorkFolder(const std::string& input, std::string& error)
{
    work_ = std::make_unique<WorkFolder>("quillmark-" + command_ + "-");
    if (work_->Path().empty()) {
        error = "screensaver " + command_ + ": cannot make a temporary folder to pack " + input + "\n";
        return false;
    }
    return true;
}

bool ShowSource::Pack(const std::string& manifest, std::string& showPath, std::string& error)
{
    PackOptions pack;
    pack.manifest = manifest;
    pack.output = work_->Path() + "/show.db";
    pack.markLargeJpegs = false; // rewriting a photo costs more than the show saves decoding it
    std::ostringstream messages;
    if (RunPack(pack, messages) != 0) {
        error = Relabel(messages.str(), command_);
        return false;
    }
    showPath = pack.output;
    return true;
}

bool ShowSource::Resolve(const std::string& input, std::string& showPath, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(input, ec)) {
        // The show a folder of pictures makes: the manifest `scrpack new` would write for it.
        if (!MakeWorkFolder(input, error))
            return false;
        NewOptions made;
        made.folder = input;
        made.output = work_->Path() + "/manifest.toml";
        std::ostringstream said, messages;
        if (RunNew(made, said, messages) != 0) {
            error = Relabel(messages.str(), command_);
            return false;
        }
        return Pack(made.output, showPath, error);
    }
    if (IsManifest(input) && fs::is_regular_file(input, ec))
        return MakeWorkFolder(input, error) && Pack(input, showPath, error);
    showPath = input;
    return true;
}

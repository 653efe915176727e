#include "scrpack/studio/Builds.h"

#include "codecs/BuiltinExpic.h"
#include "db/DatabaseWriter.h"
#include "platform/Paths.h"
#include "render/RenderShow.h"
#include "scrpack/commands/PackCommand.h"
#include "scrpack/pictures/PictureCheck.h"
#include "scrpack/studio/PreviewDatabase.h"
#include "scrpack/studio/ProjectDocument.h"

#include <filesystem>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

fs::path ProgramFolder()
{
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path();
}

std::string FirstExisting(std::initializer_list<fs::path> candidates)
{
    for (const fs::path& path : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(path, ec))
            return fs::canonical(path, ec).string();
    }
    return "";
}

// The file name of an output: the project's name without its extension, or the folder's.
std::string OutputStem(const PackPlan& plan, const std::string& folder)
{
    auto it = plan.project.texts.find("projectname");
    std::string name = it == plan.project.texts.end() ? "" : it->second;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name = name.substr(0, dot);
    name = SafeFileNameOf(name);
    for (char& c : name) {
        if (c == '/' || static_cast<unsigned char>(c) >= 0x80)
            c = '_';
    }
    return name.empty() ? fs::path(folder).filename().string() : name;
}

} // namespace

std::string FindWindowsRuntime()
{
    if (const char* given = std::getenv("QM_WINDOWS_RUNTIME"); given && *given)
        return FirstExisting({given});
    const fs::path here = ProgramFolder();
    return FirstExisting(
        {here / "../share/quillmark/windows/screensaver.scr", here / "../../../win32/src/program/screensaver.scr"});
}

std::string FindLinuxRuntime()
{
    const fs::path here = ProgramFolder();
    return FirstExisting({here / "screensaver", here / "../../src/program/screensaver"});
}

Builds::Builds(ProjectDocument& document, PreparedPictures& prepared, std::string windowsRuntime,
               std::string linuxRuntime)
    : document_(document),
      prepared_(prepared),
      windowsRuntime_(std::move(windowsRuntime)),
      linuxRuntime_(std::move(linuxRuntime))
{
    status_ = {{"state", "idle"}, {"progress", 0}, {"problems", json::array()}};
}

Builds::~Builds()
{
    if (thread_.joinable())
        thread_.join();
}

json Builds::Status()
{
    std::lock_guard lock(mutex_);
    return status_;
}

void Builds::SetProgress(double value)
{
    std::lock_guard lock(mutex_);
    status_["progress"] = value;
}

bool Builds::Start(const std::string& kind, std::string& error)
{
    if (kind != "windows" && kind != "linux" && kind != "video") {
        error = "unknown build \"" + kind + "\" (windows, linux or video)";
        return false;
    }
    if ((kind == "windows" && windowsRuntime_.empty()) || (kind == "linux" && linuxRuntime_.empty())) {
        error = std::string("the ") + (kind == "windows" ? "Windows" : "Linux") +
            " runtime is not installed beside scrpack";
        return false;
    }
    if (running_.exchange(true)) {
        error = "a build is running";
        return false;
    }
    if (thread_.joinable())
        thread_.join();
    {
        std::lock_guard lock(mutex_);
        status_ = {{"kind", kind}, {"state", "checking"}, {"progress", 0}, {"problems", json::array()}};
    }
    thread_ = std::thread([this, kind] { Run(kind); });
    return true;
}

bool Builds::CheckItems(const PackPlan& plan)
{
    // Two at a time: decoding a large photo takes one core.
    std::vector<size_t> pictures;
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const MediaReference& media = plan.items[i].media;
        if (media.picture && media.addsMedia)
            pictures.push_back(i);
    }
    std::atomic<size_t> next{0}, done{0};
    json problems = json::array();
    std::mutex found;
    auto work = [&] {
        for (size_t k; (k = next++) < pictures.size();) {
            const PackedItem& item = plan.items[pictures[k]];
            // What the runtime cannot read is converted when packed (and the pack says so if it cannot be).
            std::vector<uint8_t> head;
            ReadImageFile(item.media.file.sourcePath, 64, head);
            if (item.media.preparePending && NeedsConversion(PictureKind(head.data(), head.size()))) {
                SetProgress(0.5 * double(++done) / double(pictures.size()));
                continue;
            }
            const std::string reason = CheckPicture(item.media.file.sourcePath, item.media.file.name);
            if (!reason.empty()) {
                std::lock_guard lock(found);
                problems.push_back({{"item", pictures[k]},
                                    {"key", "media[" + std::to_string(pictures[k]) + "].file"},
                                    {"reason", reason}});
            }
            SetProgress(0.5 * double(++done) / double(pictures.size()));
        }
    };
    std::thread other(work);
    work();
    other.join();
    std::lock_guard lock(mutex_);
    status_["problems"] = problems;
    return problems.empty();
}

void Builds::Run(std::string kind)
{
    const PackPlan plan = document_.Plan();
    const std::string folder = document_.Folder();
    const std::string stem = OutputStem(plan, folder);
    auto finish = [&](const std::string& error, const std::string& output) {
        std::lock_guard lock(mutex_);
        status_["state"] = error.empty() ? "done" : "failed";
        if (!error.empty())
            status_["error"] = error;
        else
            status_["progress"] = 1;
        if (!output.empty())
            status_["output"] = fs::path(output).filename().string();
        running_ = false;
    };
    if (!CheckItems(plan))
        return finish("some pictures would not show; see the items marked", "");
    {
        std::lock_guard lock(mutex_);
        status_["state"] = kind == "video" ? "rendering" : "packing";
    }
    if (kind == "video") {
        const std::string output = folder + "/" + stem + ".mp4";
        const std::string work = folder + "/.studio-video";
        std::error_code ec;
        fs::create_directories(work, ec);
        PreviewRequest request;
        int seconds = 0;
        for (size_t i = 0; i < plan.items.size(); ++i) {
            request.items.push_back(i);
            seconds += std::max(0, plan.project.options.I32(ProjectOptions::kDisplayTime)) + 3;
        }
        std::string error;
        if (WritePreviewDatabase(plan, request, prepared_, work, work + "/show.db", error)) {
            RenderOptions options;
            options.programPath = work + "/show.db";
            options.videoPath = output;
            // One round of the show: its own length where the renderer finds it, else the estimate.
            options.seconds = seconds <= kMaxPassSeconds ? 0 : std::min(seconds, 24 * 3600);
            const int frames = std::max(1, seconds * options.fps);
            options.onFrame = [this, frames](int done, int) {
                SetProgress(0.5 + 0.5 * std::min(0.99, double(done) / frames));
            };
            RenderResult result;
            RenderShow(options, result, error);
        }
        fs::remove_all(work, ec);
        return finish(error, error.empty() ? output : "");
    }
    PackOptions options;
    options.manifest = document_.ManifestPath();
    options.output = folder + "/" + stem + (kind == "windows" ? ".scr" : "-linux.scr");
    options.runtime = kind == "windows" ? windowsRuntime_ : linuxRuntime_;
    options.markLargeJpegs = kind == "linux";
    options.checkPictures = false;
    // The packer writes beside the output: its growth against the files it stores is the progress.
    uint64_t total = 1;
    std::error_code ec;
    total += fs::file_size(options.runtime, ec);
    for (const StoredFile& file : plan.media)
        total += file.sourcePath.empty() ? 0 : fs::file_size(file.sourcePath, ec);
    std::atomic<bool> packing{true};
    std::thread watch([&] {
        while (packing) {
            std::error_code e;
            const auto size = fs::file_size(PendingDatabasePath(options.output), e);
            if (!e)
                SetProgress(0.5 + 0.5 * std::min(1.0, double(size) / double(total)));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    std::ostringstream messages;
    const int code = RunPack(options, messages);
    packing = false;
    watch.join();
    std::string error = messages.str();
    while (!error.empty() && error.back() == '\n')
        error.pop_back();
    if (code != 0) {
        // The packer names the entry: "manifest.toml:12: media[3].title.text: ...".
        std::smatch match;
        if (std::regex_search(error, match, std::regex(R"(media\[(\d+)\]\.([a-z_.]+): (.*))"))) {
            std::lock_guard lock(mutex_);
            status_["problems"].push_back({{"item", std::stoul(match[1])},
                                           {"key", "media[" + match[1].str() + "]." + match[2].str()},
                                           {"reason", match[3].str()}});
        }
        return finish(error.empty() ? "the pack failed" : error, "");
    }
    finish("", options.output);
}

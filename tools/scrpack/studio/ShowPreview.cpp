#include "scrpack/studio/ShowPreview.h"

#include "render/RenderShow.h"
#include "scrpack/studio/PreviewDatabase.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {

// Short fragments: the page starts playing when the first is complete.
constexpr int kFragmentMs = 240;
// A transition takes a few seconds on a full screen; the estimate only sets the length of the round.
constexpr int kTransitionSeconds = 3;

} // namespace

ShowPreview::~ShowPreview()
{
    Stop();
}

void ShowPreview::Stop()
{
    std::shared_ptr<Run> run;
    {
        std::lock_guard lock(mutex_);
        run = std::move(run_);
    }
    if (!run)
        return;
    run->cancel = true;
    if (run->thread.joinable())
        run->thread.join();
    std::error_code ec;
    fs::remove_all(run->folder, ec);
}

bool ShowPreview::Start(const PackPlan& plan, size_t from, int width, int height, Started& started, std::string& error)
{
    if (plan.items.empty() || from >= plan.items.size()) {
        error = "no such item";
        return false;
    }
    Stop();
    auto run = std::make_shared<Run>();
    {
        std::lock_guard lock(mutex_);
        run->id = ++serial_;
    }
    run->folder = workFolder_ + "/show-" + std::to_string(run->id);
    run->video = run->folder + "/preview.mp4";
    std::error_code ec;
    fs::create_directories(run->folder, ec);
    PreviewRequest request;
    int seconds = 0;
    const int display = std::max(0, plan.project.options.I32(ProjectOptions::kDisplayTime));
    for (size_t i = 0; i < plan.items.size(); ++i) {
        request.items.push_back((from + i) % plan.items.size());
        seconds += display + kTransitionSeconds;
    }
    seconds = std::clamp(seconds, 5, 3 * 3600);
    const std::string database = run->folder + "/preview.db";
    if (!WritePreviewDatabase(plan, request, prepared_, run->folder, database, error)) {
        fs::remove_all(run->folder, ec);
        return false;
    }
    // The file exists before the page asks for it.
    std::ofstream(run->video, std::ios::binary).close();
    run->thread = std::thread([run, database, width, height, seconds] {
        RenderOptions options;
        options.programPath = database;
        options.videoPath = run->video;
        options.width = width;
        options.height = height;
        options.fps = 25;
        // One round of the show, as long as it takes (the estimate above only sizes the position bar).
        options.seconds = seconds <= kMaxPassSeconds ? 0 : seconds;
        options.streamFragmentMs = kFragmentMs;
        options.cancel = &run->cancel;
        RenderResult result;
        std::string message;
        if (!RenderShow(options, result, message)) {
            run->error = message;
            std::cerr << "scrpack studio: the preview stopped: " << message << std::endl;
        }
        run->done = true;
    });
    started.id = run->id;
    started.seconds = seconds;
    std::lock_guard lock(mutex_);
    run_ = run;
    return true;
}

void ShowPreview::Stream(int id, const std::function<bool(const char*, size_t)>& write)
{
    std::shared_ptr<Run> run;
    {
        std::lock_guard lock(mutex_);
        run = run_;
    }
    if (!run || run->id != id)
        return;
    std::ifstream in(run->video, std::ios::binary);
    std::vector<char> buffer(1 << 16);
    while (in) {
        const bool finished = run->done.load();
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = in.gcount();
        in.clear();
        if (got > 0) {
            if (!write(buffer.data(), static_cast<size_t>(got)))
                return;
            continue;
        }
        if (finished || run->cancel)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

#include "render/RenderShow.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "app/ScreensaverApp.h"
#include "app/posix/ShowMedia.h"
#include "app/posix/ShowStart.h"
#include "model/MediaPlaylist.h"
#include "platform/DiagnosticLog.h"
#include "render/FolderLock.h"
#include "render/RenderAudioMix.h"
#include "render/RenderFrames.h"
#include "render/RenderPlayers.h"
#include "render/RenderVideo.h"
#include "saver/HeadlessHost.h"
#include "saver/HeadlessPlayers.h"
#include "saver/HeadlessShow.h"

namespace {

// The playlist as the show walks it: the step past its last item completes one pass through every item.
class PassCountingList final : public IMediaList {
public:
    PassCountingList(IMediaList& list, std::function<void()> onePass) : list_(list), onePass_(std::move(onePass)) { }
    int Count() override { return list_.Count(); }
    int32_t MediaType() override { return list_.MediaType(); }
    std::string FileName() override { return list_.FileName(); }
    bool PlaysMusic() override { return list_.PlaysMusic(); }
    std::string BoundSound() override { return list_.BoundSound(); }
    void SelectNext(bool random) override
    {
        list_.SelectNext(random);
        if (++steps_ == list_.Count() && onePass_)
            onePass_();
    }
    std::optional<UpcomingItem> PeekNext(bool random) override { return list_.PeekNext(random); }
    bool ReadMediaData(const std::string& fileName, FileBase& out) override
    {
        return list_.ReadMediaData(fileName, out);
    }
    std::string GetStoredName(const std::string& fileName) override { return list_.GetStoredName(fileName); }
    MediaPlaylist* Settings() override { return list_.Settings(); }
    MediaTable* Media() override { return list_.Media(); }
    void Close() override { list_.Close(); }

private:
    IMediaList& list_;
    std::function<void()> onePass_;
    int steps_ = 0;
};

// A show that runs in virtual time into frame files or a video.
class RenderSystem final : public PosixShowSystem {
public:
    RenderSystem(const RenderOptions& options, RenderResult& result) : options_(options), result_(result) { }
    void RunScreensaverWindow(ScreensaverApp& app) override;

private:
    const RenderOptions& options_;
    RenderResult& result_;
};

void RenderSystem::RunScreensaverWindow(ScreensaverApp& app)
{
    ran = true;
    // The same pictures and effects on every run.
    std::srand(1);
    HeadlessHost loop;
    DiagnosticLog::Instance().SetClock(&loop.Clock());

    // Sounds and videos play in virtual time: sequenced by their real lengths, videos drawn frame by frame
    // from their decoders. Into a video, every sound the devices play goes into one mix; frames play silently.
    // The mix outlives the devices, which stop their sources in it as they close.
    const bool toVideo = !options_.videoPath.empty();
    RenderAudioMix mix([&loop] { return loop.Now(); });
    ShowMedia media(app, loop, loop.Clock(), toVideo ? &mix : nullptr);
    if (!media.Opened()) {
        error = "the project has no media items";
        DiagnosticLog::Instance().SetClock(nullptr);
        return;
    }

    // Without a length asked for, the show's own: until it has been through every item once.
    const bool ownLength = options_.seconds <= 0;
    const int frameCount = (ownLength ? kMaxPassSeconds : options_.seconds) * options_.fps;
    const Size screenSize{options_.width, options_.height};
    VideoFileWriter video;
    PngFrameFiles pngFiles(options_.outDir);
    video.SetFragments(options_.streamFragmentMs);
    if (toVideo && !video.Open(options_.videoPath, options_.width, options_.height, options_.fps, true, error)) {
        DiagnosticLog::Instance().SetClock(nullptr);
        return;
    }
    IFrameOutput& output = options_.frameOutput ? *options_.frameOutput
        : toVideo                               ? static_cast<IFrameOutput&>(video)
                                                : pngFiles;
    RenderFrames frames(output, options_.outDir, options_.width, options_.height, options_.fps, frameCount);
    frames.ShowProgress(options_.progress, ownLength);
    RenderSlides slides(loop, frames, screenSize, &app.Database());
    AvMediaSystem& devices = media.Devices();
    HeadlessVideos videos(loop, screenSize, devices, media.VideoSetup(),
                          [&devices](WindowRef panel, Picture& target, const Rect& area) {
                              return devices.DrawVideo(panel, target, area);
                          });

    HeadlessShowParts parts = media.Parts(loop);
    parts.createSlidePlayer = [&slides] { return slides.Create(); };
    result_.items = parts.media ? parts.media->Count() : 0;
    bool passEnded = false;
    PassCountingList passes(*parts.media, [&] {
        if (ownLength && !passEnded) {
            passEnded = true;
            frames.EndBefore(loop.Now());
        }
    });
    parts.media = &passes;
    parts.createVideoPlayer = [&videos] { return videos.Create(); };
    {
        HeadlessShow show(loop, app.Settings(), media.Options(), parts);
        show.Start();
        while (!frames.Done() && frames.Ok() && !(options_.cancel && options_.cancel->load())) {
            const uint64_t due = frames.FrameTime(frames.NextFrame());
            if (!show.Destroyed() && !loop.QuitRequested())
                loop.RunUntil(due);
            else if (ownLength && !passEnded) {
                // The show ended by itself (its time limit) before the pass did.
                result_.end = RenderResult::End::ShowEnded;
                frames.EndBefore(due);
                break;
            }
            // A video player on screen covers the slide window, and changes it without presenting.
            const Picture* panel = videos.Screen();
            if (!panel)
                slides.DrawMotionAt(due);
            if (panel)
                frames.PresentedAll();
            frames.CaptureBefore(due + 1, panel ? panel : slides.Screen());
            if (options_.onFrame)
                options_.onFrame(frames.NextFrame(), frames.FrameCount());
            // Sound is final up to the show's own time: what starts later starts after it.
            if (toVideo && !video.WriteSound(mix.TakeUpTo(loop.Now()), error))
                break;
        }
    }
    frames.ClearProgress();
    result_.frames = frames.NextFrame();
    result_.distinctFrames = frames.DistinctFrames();
    result_.milliseconds = frames.FrameTime(frames.FrameCount());
    if (ownLength && result_.end == RenderResult::End::AsAsked)
        result_.end = passEnded ? RenderResult::End::OnePass : RenderResult::End::LengthCap;
    if (!frames.Ok() && error.empty())
        error = frames.Error();
    if (error.empty() && !options_.outDir.empty())
        result_.contactSheet = frames.WriteContactSheet(error);
    // A render cancelled part-way has sound up to where its pictures stop.
    const int rendered = std::min(frames.FrameCount(), frames.NextFrame());
    if (toVideo && error.empty() && video.WriteSound(mix.TakeUpTo(frames.FrameTime(rendered)), error))
        video.Finish(error);
    DiagnosticLog::Instance().SetClock(nullptr);
}

} // namespace

bool RenderShow(const RenderOptions& options, RenderResult& result, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (options.width < 16 || options.height < 16 || options.width > kMaxRenderSide ||
        options.height > kMaxRenderSide) {
        error = "the size must lie between 16x16 and 8192x8192";
        return false;
    }
    if (options.fps < 1 || options.fps > 240 || options.seconds < 0 || options.seconds > 24 * 3600) {
        error = "fps must lie between 1 and 240, seconds between 1 and 86400";
        return false;
    }
    if (options.outDir.empty() && options.videoPath.empty() && !options.frameOutput) {
        error = "give a folder for the frames or a video file";
        return false;
    }
    uint32_t base = 0;
    if (!FindProject(options.programPath, base, error))
        return false;
    FolderLock lock;
    if (!options.outDir.empty()) {
        fs::create_directories(options.outDir, ec);
        if (!fs::is_directory(options.outDir, ec)) {
            error = "cannot create the folder " + options.outDir + (ec ? ": " + ec.message() : std::string());
            return false;
        }
        if (!lock.Take(options.outDir, error))
            return false;
        // Frames of an earlier, longer render would pass for this one's.
        RemoveOldFrames(options.outDir);
    }
    if (!options.videoPath.empty()) {
        const fs::path parent = fs::path(options.videoPath).parent_path();
        if (fs::is_directory(options.videoPath, ec)) {
            error = options.videoPath + " is a folder";
            return false;
        }
        if (!parent.empty() && !fs::is_directory(parent, ec)) {
            error = "no such folder: " + parent.string();
            return false;
        }
    }
    RenderSystem system(options, result);
    if (StartProjectShow(options.programPath, system, error))
        return true;
    // A render that failed part-way leaves no frames that could pass for a whole show.
    if (!options.outDir.empty())
        RemoveOldFrames(options.outDir);
    return false;
}

#include "app/posix/RenderShow.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>

#include "app/AppSystem.h"
#include "app/ScreensaverApp.h"
#include "app/posix/RenderAudioMix.h"
#include "app/posix/RenderFrames.h"
#include "app/posix/RenderPlayers.h"
#include "app/posix/RenderVideo.h"
#include "db/MyXMLDb.h"
#include "media/SoundTable.h"
#include "media/posix/AvMediaSystem.h"
#include "model/Media.h"
#include "model/MediaSetting.h"
#include "model/Random.h"
#include "model/SettingsStore.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "saver/HeadlessPlayers.h"
#include "saver/HeadlessShow.h"
#include "saver/ProjectMediaList.h"

#include <cstdio>
#include <optional>

namespace {

// Media devices' notifications arrive through the show's event loop, in virtual time.
class CLoopScheduler final : public IMediaScheduler {
public:
    explicit CLoopScheduler(CHeadlessHost& loop) : loop_(loop) { }
    uint64_t After(uint32_t ms, std::function<void()> action) override
    {
        return loop_.At(loop_.Now() + ms, std::move(action));
    }
    void Cancel(uint64_t ticket) override { loop_.Cancel(ticket); }

private:
    CHeadlessHost& loop_;
};

// A folder of the render's own for the stored sounds it plays, removed with everything in it.
class CPrivateTempFolder {
public:
    CPrivateTempFolder()
    {
        std::string pattern = TempDirectory() + "quillmark-render-XXXXXX";
        if (mkdtemp(pattern.data()))
            path_ = pattern + "/";
    }
    ~CPrivateTempFolder()
    {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The installed system as a render sees it: no system folder, no mutex to fight over, no desktop, and a
// show that runs in virtual time into frame files.
class CRenderSystem final : public IAppSystem {
public:
    CRenderSystem(const RenderOptions& options, RenderResult& result) : options_(options), result_(result) { }

    void SetAsDefaultScreensaver(const std::string&) override { }
    void InstallThroughShell(const std::string&) override { }
    void ChangePassword(uint32_t) override { }
    std::string SystemDirectory() override { return {}; }
    uint32_t ForegroundWindow() override { return 0; }
    ISettingsStore& SettingsStore() override { return UserSettingsStore(); }
    bool CreateSaverMutex() override { return true; }
    void CloseSaverMutex() override { }
    void SaveDesktopSnapshot(int32_t) override { }
    void SetScreenSaverRunning(bool) override { }
    void RunSettingsDialog(CScreensaverApp&) override { error = "the project opens its settings, not a show"; }
    void RunScreensaverWindow(CScreensaverApp& app) override;
    void QuietExit() override { }

    std::string error;
    bool ran = false;

private:
    const RenderOptions& options_;
    RenderResult& result_;
};

void CRenderSystem::RunScreensaverWindow(CScreensaverApp& app)
{
    ran = true;
    // The same pictures and effects on every run.
    std::srand(1);
    CHeadlessHost loop;
    CLog::Instance().SetClock(&loop.Clock());

    CMedia media;
    media.SetDatabase(&app.Database());
    media.Open();
    CMediaSetting mediaSetting(loop.Clock(), StandardRandom());
    mediaSetting.SetUserSettings(&app.Settings());
    mediaSetting.SetDatabase(&app.Database());
    if (!mediaSetting.Open() || mediaSetting.GetRecordCount() == 0) {
        error = "the project has no media items";
        CLog::Instance().SetClock(nullptr);
        return;
    }
    mediaSetting.LoadCurrent();
    CProjectMediaList mediaList(mediaSetting, media);

    // Sounds and videos play silently in virtual time: sequenced by their real lengths, videos drawn frame by
    // frame from their decoders.
    CLoopScheduler scheduler(loop);
    // Outlives the devices, which stop their sources in it as they close.
    CRenderAudioMix mix([&loop] { return loop.Now(); });
    CAvMediaSystem devices(loop.Clock());
    devices.SetScheduler(&scheduler);
    CPrivateTempFolder soundFolder;
    CSoundTable sounds(loop.Clock());
    sounds.SetDatabase(&app.Database());
    sounds.SetTempFolder(soundFolder.Path());
    sounds.SetMessageHandler([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    sounds.Load();

    const int frameCount = options_.seconds * options_.fps;
    const Size screenSize{options_.width, options_.height};
    // A video takes the sound of the show too: every source the devices play goes into one mix.
    const bool toVideo = !options_.videoPath.empty();
    CVideoFile video;
    CPngFrameFiles pngFiles(options_.outDir);
    if (toVideo) {
        devices.AttachAudioSink(&mix);
        if (!video.Open(options_.videoPath, options_.width, options_.height, options_.fps, true, error)) {
            CLog::Instance().SetClock(nullptr);
            return;
        }
    }
    CRenderFrames frames(toVideo ? static_cast<IFrameOutput&>(video) : pngFiles, options_.outDir, options_.width,
                         options_.height, options_.fps, frameCount);
    frames.ShowProgress(options_.progress);
    CRenderSlides slides(loop, frames, screenSize, &app.Database());
    VideoPlayerSetup videoSetup;
    videoSetup.startMode = static_cast<int>(app.Mode());
    videoSetup.settings = &app.Settings();
    videoSetup.project = &app.Project();
    videoSetup.database = &app.Database();
    CHeadlessVideos videos(loop, screenSize, devices, videoSetup,
                           [&devices](WindowRef panel, CComPicture& target, const Rect& area) {
                               return devices.DrawVideo(panel, target, area);
                           });

    SequencerOptions sequencerOptions;
    sequencerOptions.mode = app.Mode();
    sequencerOptions.settings = &app.Settings();
    sequencerOptions.project = &app.Project();
    ApplyProjectOptions(sequencerOptions, app.Project());

    HeadlessShowParts parts;
    parts.media = &mediaList;
    parts.sounds = &sounds;
    parts.imagePlayers = &slides.Players();
    parts.createSoundPlayer = [&loop, &devices](uint32_t endMessage) {
        return CreateHeadlessSoundPlayer(loop, devices, endMessage);
    };
    parts.createVideoPlayer = [&videos] { return videos.Create(); };
    {
        CHeadlessShow show(loop, app.Settings(), sequencerOptions, parts);
        show.Start();
        while (!frames.Done() && frames.Ok()) {
            const uint64_t due = frames.FrameTime(frames.NextFrame());
            if (!show.Destroyed() && !loop.QuitRequested())
                loop.RunUntil(due);
            // A video player on screen covers the slide window, and changes it without presenting.
            const CComPicture* panel = videos.Screen();
            if (panel)
                frames.PresentedAll();
            frames.CaptureBefore(due + 1, panel ? panel : slides.Screen());
            // Sound is final up to the show's own time: what starts later starts after it.
            if (toVideo && !video.WriteSound(mix.TakeUpTo(loop.Now()), error))
                break;
        }
    }
    frames.ClearProgress();
    result_.frames = frames.NextFrame();
    result_.distinctFrames = frames.DistinctFrames();
    if (!options_.outDir.empty())
        result_.contactSheet = frames.WriteContactSheet();
    if (!frames.Ok() && error.empty())
        error = frames.Error();
    if (toVideo && error.empty()) {
        if (video.WriteSound(mix.TakeUpTo(frames.FrameTime(frameCount)), error))
            video.Finish(error);
    }
    sounds.Close();
    mediaSetting.Close();
    media.Close();
    CLog::Instance().SetClock(nullptr);
}

} // namespace

bool ParseRenderSize(const std::string& text, int& width, int& height)
{
    const char* const end = text.data() + text.size();
    int w = 0, h = 0;
    auto [afterWidth, widthError] = std::from_chars(text.data(), end, w);
    if (widthError != std::errc() || afterWidth == end || (*afterWidth != 'x' && *afterWidth != 'X'))
        return false;
    auto [afterHeight, heightError] = std::from_chars(afterWidth + 1, end, h);
    if (heightError != std::errc() || afterHeight != end)
        return false;
    width = w;
    height = h;
    return true;
}

bool RenderShow(const RenderOptions& options, RenderResult& result, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (options.width < 16 || options.height < 16 || options.width > kMaxRenderSide ||
        options.height > kMaxRenderSide) {
        error = "the size must lie between 16x16 and 8192x8192";
        return false;
    }
    if (options.fps < 1 || options.fps > 240 || options.seconds < 1 || options.seconds > 24 * 3600) {
        error = "fps must lie between 1 and 240, seconds between 1 and 86400";
        return false;
    }
    if (fs::is_directory(options.programPath, ec)) {
        error = options.programPath + " is a folder";
        return false;
    }
    if (!fs::is_regular_file(options.programPath, ec)) {
        error = "no such file: " + options.programPath;
        return false;
    }
    // A database file of its own starts with its header; a program carries one behind its trailer.
    std::optional<uint32_t> databaseBase;
    {
        char head[10] = {};
        std::FILE* file = std::fopen(options.programPath.c_str(), "rb");
        if (file) {
            if (std::fread(head, 1, sizeof head, file) == sizeof head && std::string(head, sizeof head) == "<database>")
                databaseBase = 0;
            std::fclose(file);
        }
    }
    const int64_t base = ReadDatabaseTrailer(options.programPath);
    const auto size = fs::file_size(options.programPath, ec);
    if (!databaseBase && (base < 0 || ec || static_cast<uint64_t>(base) >= size)) {
        error = options.programPath + " carries no project";
        return false;
    }
    if (!options.outDir.empty()) {
        fs::create_directories(options.outDir, ec);
        if (!fs::is_directory(options.outDir, ec)) {
            error = "cannot create the folder " + options.outDir;
            return false;
        }
        // Frames of an earlier, longer render would pass for this one's.
        if (options.videoPath.empty())
            RemoveOldFrames(options.outDir);
    } else if (options.videoPath.empty()) {
        error = "give a folder for the frames or a video file";
        return false;
    }

    const std::string programPath = fs::absolute(options.programPath, ec).string();
    CRenderSystem system(options, result);
    CScreensaverApp app(system, CLog::Instance());
    StartupArguments args;
    args.programPath = programPath;
    args.firstArgument = "/s";
    args.hasFirstArgument = true;
    args.rawCommandLine = "\"" + programPath + "\" /s";
    args.databaseBase = databaseBase;
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

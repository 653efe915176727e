#include "app/posix/ShowMedia.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/ScreensaverApp.h"
#include "model/Random.h"
#include "platform/Paths.h"
#include "platform/TemporaryPaths.h"
#include "saver/HeadlessPlayers.h"
#include "saver/SaverMessages.h"

namespace {

// A show that ends through exit() (Xlib's way when the display goes away) still removes its folder.
std::string& FolderToRemoveAtExit()
{
    static std::string path;
    return path;
}

void RemoveFolderAtExit()
{
    std::error_code ec;
    if (!FolderToRemoveAtExit().empty())
        std::filesystem::remove_all(FolderToRemoveAtExit(), ec);
}

} // namespace

PrivateTempFolder::PrivateTempFolder()
{
    std::string pattern = TempDirectory() + "quillmark-show-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return;
    path_ = pattern + "/";
    AddTemporaryPath(pattern);
    SetTempDirectory(path_);
    // The path exists before the handler is registered, so it is still there when the handler runs.
    FolderToRemoveAtExit() = path_;
    static const bool registered = std::atexit(&RemoveFolderAtExit) == 0;
    (void)registered;
}

PrivateTempFolder::~PrivateTempFolder()
{
    if (path_.empty())
        return;
    FolderToRemoveAtExit().clear();
    SetTempDirectory("");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    RemoveTemporaryPath(path_.substr(0, path_.size() - 1));
}

ShowMedia::ShowMedia(ScreensaverApp& app, EventLoop& loop, IClock& clock, IAudioSink* sink)
    : mediaSetting_(clock, StandardRandom()), scheduler_(loop), devices_(clock), sounds_(clock)
{
    media_.SetDatabase(&app.Database());
    media_.Open();
    mediaSetting_.SetUserSettings(&app.Settings());
    mediaSetting_.SetDatabase(&app.Database());
    if (mediaSetting_.Open() && mediaSetting_.GetRecordCount() > 0) {
        mediaSetting_.LoadCurrent();
        list_ = std::make_unique<ProjectMediaList>(mediaSetting_, media_);
    }

    devices_.SetScheduler(&scheduler_);
    devices_.AttachAudioSink(sink);
    sounds_.SetDatabase(&app.Database());
    sounds_.SetMessageHandler([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    sounds_.Load();

    videoSetup_.startMode = app.Mode();
    videoSetup_.settings = &app.Settings();
    videoSetup_.project = &app.Project();
    videoSetup_.database = &app.Database();

    options_.mode = app.Mode();
    options_.settings = &app.Settings();
    options_.project = &app.Project();
    ApplyProjectOptions(options_, app.Project());
}

ShowMedia::~ShowMedia()
{
    sounds_.Close();
    mediaSetting_.Close();
    media_.Close();
}

HeadlessShowParts ShowMedia::Parts(EventLoop& loop)
{
    HeadlessShowParts parts;
    parts.media = list_.get();
    parts.sounds = &sounds_;
    parts.createSoundPlayer = [&loop, this](uint32_t endMessage) {
        return CreateHeadlessSoundPlayer(loop, devices_, endMessage);
    };
    return parts;
}

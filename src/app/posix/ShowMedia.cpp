#include "app/posix/ShowMedia.h"

#include <cstdio>

#include "app/ScreensaverApp.h"
#include "model/Random.h"
#include "saver/HeadlessPlayers.h"
#include "saver/SaverMessages.h"

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

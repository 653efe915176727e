// Helper of the live show's whole-program test on Linux:
//   live_e2e_helper window WIDTH HEIGHT      makes an X window, prints its id, keeps it until killed
//   live_e2e_helper video-project OUT RUNTIME  a project of one video item and a WAV music track, both stored,
//                                              attached to RUNTIME as OUT
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "db/DatabaseWriter.h"
#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"
#include "support/TestMedia.h"

namespace {

int HostWindow(int width, int height)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, unsigned(width),
                                              unsigned(height), 0, 0, 0x808080);
    XStoreName(display, window, "live-e2e-host");
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

// Frame f: the left half red, the right half blue with green rising frame by frame.
uint32_t Clip(int f, int x, int)
{
    return x < 32 ? 0xFF0000u : 0x0000FFu | uint32_t((f * 8) & 0xFF) << 8;
}

int VideoProject(const std::string& out, const std::string& runtime)
{
    ProjectOptions options;
    options.SetI32(ProjectOptions::kDisplayTime, 1);
    options.SetFlag(ProjectOptions::kMediaInDatabase, true);
    options.SetFlag(ProjectOptions::kMusicInDatabase, true);
    options.SetFlag(ProjectOptions::kMusicLoop, true);
    MediaSettingsRecord item;
    item.SetI32(MediaSettingsRecord::kMediaType, MediaKind::kVideo);
    item.SetI32(MediaSettingsRecord::kVideoMode, 3);
    item.SetFlag(MediaSettingsRecord::kPlayMusic, true);

    TableContent project("project", {"data", "projectname", "appname"});
    project.AddRecord({options.ToString(), "Live video.kdp", "Live video"});
    TableContent setting("setting", {"data", "filename", "effect"});
    setting.AddRecord({item.ToString(), "C:\\movies\\clip.avi", ""});
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    const std::string track("\1\0\0\0", 4);
    music.AddRecord({"tune.wav", track, testmedia::Wav(2000, 22050)});
    TableContent media("media", {"name", "media"}, {false, true});
    media.AddRecord({"clip.avi", testmedia::Avi(64, 48, 30, 10, Clip)});
    std::string error;
    if (!AttachDatabase(runtime, out, {project, setting, music, media}, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "window" && argc == 4)
        return HostWindow(std::atoi(argv[2]), std::atoi(argv[3]));
    if (command == "video-project" && argc == 4)
        return VideoProject(argv[2], argv[3]);
    std::fprintf(stderr, "usage: live_e2e_helper window WIDTH HEIGHT | video-project OUT RUNTIME\n");
    return 2;
}

// Helper of the sound and video whole-program test under Wine: attaches projects with music, a bound sound
// and videos (all made here) to copies of the program, and tells where the temporary folder is.
#include "db/DatabaseWriter.h"
#include "model/MediaSettingsRecord.h"
#include "model/ProjectOptions.h"
#include "support/TestMedia.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The clip is one colour all over: #20C040.
uint32_t Green(int, int, int)
{
    return 0x20C040;
}

std::string Item(int32_t type, bool music, int32_t videoMode = 0)
{
    MediaSettingsRecord record;
    record.SetI32(MediaSettingsRecord::kMediaType, type);
    record.SetFlag(MediaSettingsRecord::kPlayMusic, music);
    record.SetI32(MediaSettingsRecord::kVideoMode, videoMode);
    record.SetFlag(MediaSettingsRecord::kBackgroundSolid, true);
    return record.ToString();
}

// show IN OUT IMAGE: an image with a bound sound of 20 s, a video of 3 s, another image; two music tracks
// of 1.5 s with a pause of 2 s between them; display time 1 s; everything stored in the project.
// single IN OUT: one video item and nothing else.
int Pack(const char* in, const char* out, const char* image, bool single)
{
    ProjectOptions options;
    options.SetI32(ProjectOptions::kDisplayTime, 1);
    options.SetI32(ProjectOptions::kMusicPause, 2);
    options.SetFlag(ProjectOptions::kMediaInDatabase, true);
    options.SetFlag(ProjectOptions::kMusicInDatabase, true);
    TableContent project("project", {"data", "projectname", "appname", "authorname", "version"});
    project.AddRecord({options.ToString(), "Media E2E.kdp", "Media E2E", "Tester", "1.0"});
    TableContent setting("setting", {"data", "filename", "title", "effect", "bindsound"});
    TableContent media("media", {"name", "media"}, {false, true});
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    const std::string clip = testmedia::Avi(64, 48, 60, 20, Green, 32);
    if (single) {
        setting.AddRecord({Item(2, false, 5), "C:\\clips\\loop.avi", "Loop", "", ""});
        media.AddRecord({"loop.avi", clip});
    } else {
        setting.AddRecord({Item(0, true), "one.jpg", "One", "0;", "C:\\Sounds\\Bell.WAV"});
        setting.AddRecord({Item(2, false, 5), "C:\\clips\\green.avi", "Clip", "", ""});
        setting.AddRecord({Item(0, true), "two.jpg", "Two", "0;", ""});
        media.AddRecord({"one.jpg", TableValue::FromFile(image)});
        media.AddRecord({"green.avi", clip});
        media.AddRecord({"two.jpg", TableValue::FromFile(image)});
        const std::string one(1, '\1'), two(1, '\2');
        music.AddRecord({"track1.wav", one + std::string(3, '\0'), testmedia::Wav(1500, 8000, 440)});
        music.AddRecord({"track2.wav", one + std::string(3, '\0'), testmedia::Wav(1500, 8000, 660)});
        music.AddRecord({"bell.wav", two + std::string(3, '\0'), testmedia::Wav(20000, 8000, 880)});
    }
    std::string error;
    if (!AttachDatabase(in, out, {project, setting, music, media}, &error)) {
        std::fprintf(stderr, "pack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 5 && std::strcmp(argv[1], "show") == 0)
        return Pack(argv[2], argv[3], argv[4], false);
    if (argc >= 4 && std::strcmp(argv[1], "single") == 0)
        return Pack(argv[2], argv[3], nullptr, true);
    if (argc >= 2 && std::strcmp(argv[1], "tempdir") == 0) {
        char path[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, path);
        std::printf("%s\n", path);
        return 0;
    }
    std::fprintf(stderr, "usage: media_e2e_helper show IN OUT IMAGE | single IN OUT | tempdir\n");
    return 2;
}

// Opens the fuzzer's bytes as a media file with the Linux media back end and plays it a little: length,
// picture size, frames drawn at several positions and again after a restart, the sound read as a sink would.
#include "FuzzInputFile.h"
#include "gfx/Picture.h"
#include "media/posix/AvAudioSource.h"
#include "media/posix/AvMediaSystem.h"
#include "platform/Clock.h"

#include <cstdint>
#include <string>

namespace {

void Play(const std::string& path)
{
    VirtualClock clock(0);
    AvMediaSystem media(clock);
    uint32_t device = 0;
    if (media.Open(path.c_str(), device) != 0)
        return;
    uint32_t value = 0;
    media.Status(device, Mci::kStatusLength, value);
    media.GetDevCaps(device, Mci::kCapsHasVideo, value);
    MciRect source;
    media.Where(device, true, source);
    int panel = 0;
    media.SetWindow(device, &panel);
    media.PutDestination(device, MciRect{2, 3, 40, 30});
    Picture screen;
    screen.CreateBlank(48, 40, 0);
    media.Play(device, nullptr);
    for (uint32_t at : {0u, 35u, 400u, 2500u}) {
        clock.Set(at);
        media.DrawVideo(&panel, screen, screen.GetRect());
    }
    media.SeekToStart(device);
    media.Play(device, nullptr);
    clock.Advance(10);
    media.DrawVideo(&panel, screen, Rect::FromSize(-5, -5, 30, 60));
    media.Close(device, nullptr);
}

void Hear(const std::string& path)
{
    AvAudioSource sound;
    if (!sound.Open(path))
        return;
    int16_t buffer[2 * 4096];
    for (int i = 0; i < 8 && sound.Read(buffer, 4096) > 0; ++i) {
    }
    sound.Rewind();
    sound.Read(buffer, 100);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = FuzzInputPath("fuzz_media");
    if (!WriteFuzzInput(path, data, size))
        return 0;
    Play(path);
    Hear(path);
    return 0;
}

#include "app/posix/SdlAudioSink.h"

#include <SDL.h>
#include <alsa/asoundlib.h>

namespace {

// ALSA prints every step of a failed device search to stderr; the show says once that it runs silent.
void QuietAlsa(const char*, int, const char*, int, const char*, ...)
{
}

} // namespace

CSdlAudioSink::~CSdlAudioSink()
{
    if (device_)
        SDL_CloseAudioDevice(device_);
    if (audioInitialised_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool CSdlAudioSink::Open(std::string& reason)
{
    snd_lib_error_set_handler(&QuietAlsa);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reason = SDL_GetError();
        return false;
    }
    audioInitialised_ = true;
    SDL_AudioSpec want{};
    want.freq = IAudioSource::kRate;
    want.format = AUDIO_S16SYS;
    want.channels = IAudioSource::kChannels;
    // About 23 ms: short enough to keep a video's sound with its pictures.
    want.samples = 1024;
    want.callback = &CSdlAudioSink::Fill;
    want.userdata = this;
    SDL_AudioSpec got{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0);
    if (device_ == 0) {
        reason = SDL_GetError();
        return false;
    }
    return true;
}

void CSdlAudioSink::Fill(void* self, uint8_t* stream, int length)
{
    auto& sink = *static_cast<CSdlAudioSink*>(self);
    const size_t frames = size_t(length) / (sizeof(int16_t) * IAudioSource::kChannels);
    sink.mixer_.Mix(reinterpret_cast<int16_t*>(stream), frames);
}

void CSdlAudioSink::Start(IAudioSource* source)
{
    if (!device_)
        return;
    SDL_LockAudioDevice(device_);
    const bool wasIdle = mixer_.Empty();
    mixer_.Add(source);
    SDL_UnlockAudioDevice(device_);
    if (wasIdle)
        SDL_PauseAudioDevice(device_, 0);
}

void CSdlAudioSink::Stop(IAudioSource* source)
{
    if (!device_)
        return;
    // Once the lock is held the output thread is outside Fill, and it finds the source gone afterwards.
    SDL_LockAudioDevice(device_);
    mixer_.Remove(source);
    const bool idle = mixer_.Empty();
    SDL_UnlockAudioDevice(device_);
    if (idle)
        SDL_PauseAudioDevice(device_, 1);
}

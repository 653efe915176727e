#include "live/SdlAudioSink.h"

#include "live/LiveLibraries.h"

namespace {

// ALSA prints every step of a failed device search to stderr; the show says once that it runs silent.
void QuietAlsa(const char*, int, const char*, int, const char*, ...)
{
}

} // namespace

SdlAudioSink::~SdlAudioSink()
{
    closing_ = true;
    if (device_)
        Live()->SDL_CloseAudioDevice(device_);
    if (audioInitialised_)
        Live()->SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioSink::Open(std::string& reason)
{
    if (!Live()) {
        reason = LiveLoadError();
        return false;
    }
    Live()->snd_lib_error_set_handler(&QuietAlsa);
    if (Live()->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reason = Live()->SDL_GetError();
        return false;
    }
    audioInitialised_ = true;
    SDL_AudioSpec want{};
    want.freq = IAudioSource::kRate;
    want.format = AUDIO_S16SYS;
    want.channels = IAudioSource::kChannels;
    // About 23 ms: short enough to keep a video's sound with its pictures.
    want.samples = 1024;
    want.callback = &SdlAudioSink::Fill;
    want.userdata = this;
    SDL_AudioSpec got{};
    device_ = Live()->SDL_OpenAudioDevice(nullptr, 0, &want, &got, 0);
    if (device_ == 0) {
        reason = Live()->SDL_GetError();
        return false;
    }
    pacer_.Restart(Live()->SDL_GetTicks64());
    Live()->SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioSink::Fill(void* self, uint8_t* stream, int length)
{
    auto& sink = *static_cast<SdlAudioSink*>(self);
    const size_t frames = size_t(length) / (sizeof(int16_t) * IAudioSource::kChannels);
    {
        std::lock_guard<std::mutex> guard(sink.lock_);
        sink.mixer_.Mix(reinterpret_cast<int16_t*>(stream), frames);
    }
    // Outside the mixer's lock, so that Start and Stop never wait for the clock.
    const uint32_t wait = sink.pacer_.Delivered(Live()->SDL_GetTicks64(), frames);
    if (wait && !sink.closing_)
        Live()->SDL_Delay(wait);
}

void SdlAudioSink::Start(IAudioSource* source)
{
    std::lock_guard<std::mutex> guard(lock_);
    mixer_.Add(source);
}

void SdlAudioSink::Stop(IAudioSource* source)
{
    // Once the lock is held the output thread is outside Mix, and it finds the source gone afterwards.
    std::lock_guard<std::mutex> guard(lock_);
    mixer_.Remove(source);
}

#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "live/AudioPacer.h"
#include "media/posix/AudioMixer.h"

// The live show's sound output: SDL's default audio device, mixing every sound that plays (silence when
// none does). The device runs from Open to the end, never faster than the real clock: a paused SDL device
// whose output does not block spins its thread, and pausing would need SDL's lock, which the pacing wait
// holds.
class SdlAudioSink final : public IAudioSink {
public:
    SdlAudioSink() = default;
    ~SdlAudioSink() override;
    SdlAudioSink(const SdlAudioSink&) = delete;
    SdlAudioSink& operator=(const SdlAudioSink&) = delete;

    // False, with the reason, when the system has no sound output to open.
    bool Open(std::string& reason);

    void Start(IAudioSource* source) override;
    void Stop(IAudioSource* source) override;

private:
    static void Fill(void* self, uint8_t* stream, int length);

    uint32_t device_ = 0;
    bool audioInitialised_ = false;
    std::mutex lock_; // the mixer's sources, between the show's thread and the output thread
    AudioMixer mixer_;
    AudioPacer pacer_{IAudioSource::kRate}; // the output thread's own
    std::atomic<bool> closing_{false};      // no more waits: closing needs SDL's lock
};

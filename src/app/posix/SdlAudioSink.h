#pragma once
#include <cstdint>
#include <string>

#include "app/posix/AudioMixer.h"

// The live show's sound output: SDL's default audio device, mixing every sound that plays. The device runs
// only while something plays.
class CSdlAudioSink final : public IAudioSink {
public:
    CSdlAudioSink() = default;
    ~CSdlAudioSink() override;
    CSdlAudioSink(const CSdlAudioSink&) = delete;
    CSdlAudioSink& operator=(const CSdlAudioSink&) = delete;

    // False, with the reason, when the system has no sound output to open.
    bool Open(std::string& reason);

    void Start(IAudioSource* source) override;
    void Stop(IAudioSource* source) override;

private:
    static void Fill(void* self, uint8_t* stream, int length);

    uint32_t device_ = 0;
    bool audioInitialised_ = false;
    CAudioMixer mixer_;
};

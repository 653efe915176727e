#pragma once
#include <cstddef>
#include <cstdint>

// The sound of one playing device: interleaved signed 16-bit stereo samples at 44100 Hz.
class IAudioSource {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;
    virtual ~IAudioSource() = default;
    // Fills up to `frames` sample frames; fewer at the end of the sound.
    virtual size_t Read(int16_t* out, size_t frames) = 0;
};

// A real-time sound output (the live window's sound device) that mixes the sources it plays, reading them
// from its own thread.
class IAudioSink {
public:
    virtual ~IAudioSink() = default;
    virtual void Start(IAudioSource* source) = 0;
    // When it returns, the source is no longer read.
    virtual void Stop(IAudioSource* source) = 0;
};

#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "media/posix/AudioMixer.h"

// The sound of a rendered show: every source the media devices start plays into the live show's mixer from
// the moment of virtual time it starts until it stops, so music, bound sounds and videos' sound land where
// the show played them.
class RenderAudioMix final : public IAudioSink {
public:
    // now: the show's virtual time in milliseconds.
    explicit RenderAudioMix(std::function<uint64_t()> now) : now_(std::move(now)) { }

    void Start(IAudioSource* source) override;
    void Stop(IAudioSource* source) override;

    // The mixed samples (interleaved stereo, 44100 Hz) from where the last call stopped up to `ms`.
    std::vector<int16_t> TakeUpTo(uint64_t ms);

private:
    void MixUpTo(uint64_t ms);

    std::function<uint64_t()> now_;
    AudioMixer mixer_;
    uint64_t mixedFrames_ = 0;
    std::vector<int16_t> pending_;
};

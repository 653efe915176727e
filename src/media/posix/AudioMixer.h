#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/posix/AudioSink.h"

// The sounds that play at once, added up into one output. Not locked: the sink that owns it keeps its
// output thread away while the list changes.
class AudioMixer {
public:
    void Add(IAudioSource* source);
    void Remove(IAudioSource* source);
    bool Empty() const { return sources_.empty(); }
    // Fills `frames` sample frames: the sum of every source, clipped to 16 bits; silence where a source has
    // ended or none plays.
    void Mix(int16_t* out, size_t frames);

private:
    std::vector<IAudioSource*> sources_;
    std::vector<int16_t> scratch_;
    std::vector<int32_t> sum_;
};

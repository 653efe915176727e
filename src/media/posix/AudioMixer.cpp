#include "media/posix/AudioMixer.h"

#include <algorithm>

void AudioMixer::Add(IAudioSource* source)
{
    if (source && std::find(sources_.begin(), sources_.end(), source) == sources_.end())
        sources_.push_back(source);
}

void AudioMixer::Remove(IAudioSource* source)
{
    std::erase(sources_, source);
}

void AudioMixer::Mix(int16_t* out, size_t frames)
{
    const size_t samples = frames * IAudioSource::kChannels;
    if (sources_.size() == 1) {
        // One sound (the usual case) needs no sum.
        const size_t got = sources_.front()->Read(out, frames);
        std::fill(out + std::min(got, frames) * IAudioSource::kChannels, out + samples, int16_t(0));
        return;
    }
    sum_.assign(samples, 0);
    scratch_.resize(samples);
    for (IAudioSource* source : sources_) {
        const size_t got = std::min(source->Read(scratch_.data(), frames), frames) * IAudioSource::kChannels;
        for (size_t i = 0; i < got; ++i)
            sum_[i] += scratch_[i];
    }
    for (size_t i = 0; i < samples; ++i)
        out[i] = static_cast<int16_t>(std::clamp<int32_t>(sum_[i], INT16_MIN, INT16_MAX));
}

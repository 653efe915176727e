#include "app/posix/RenderAudioMix.h"

#include <algorithm>

void CRenderAudioMix::MixUpTo(uint64_t ms)
{
    const uint64_t target = ms * IAudioSource::kRate / 1000;
    if (target <= mixedFrames_)
        return;
    const size_t frames = static_cast<size_t>(target - mixedFrames_);
    const size_t start = pending_.size();
    pending_.resize(start + frames * IAudioSource::kChannels, 0);
    std::vector<int16_t> buffer(frames * IAudioSource::kChannels);
    for (IAudioSource* source : playing_) {
        const size_t got = source->Read(buffer.data(), frames);
        for (size_t i = 0; i < got * IAudioSource::kChannels; ++i)
            pending_[start + i] += buffer[i];
    }
    mixedFrames_ = target;
}

void CRenderAudioMix::Start(IAudioSource* source)
{
    MixUpTo(now_());
    if (std::find(playing_.begin(), playing_.end(), source) == playing_.end())
        playing_.push_back(source);
}

void CRenderAudioMix::Stop(IAudioSource* source)
{
    MixUpTo(now_());
    playing_.erase(std::remove(playing_.begin(), playing_.end(), source), playing_.end());
}

std::vector<int16_t> CRenderAudioMix::TakeUpTo(uint64_t ms)
{
    MixUpTo(ms);
    std::vector<int16_t> out(pending_.size());
    for (size_t i = 0; i < pending_.size(); ++i)
        out[i] = static_cast<int16_t>(std::clamp(pending_[i], -32768, 32767));
    pending_.clear();
    return out;
}

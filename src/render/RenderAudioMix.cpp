#include "render/RenderAudioMix.h"

void RenderAudioMix::MixUpTo(uint64_t ms)
{
    const uint64_t target = ms * IAudioSource::kRate / 1000;
    if (target <= mixedFrames_)
        return;
    const size_t frames = static_cast<size_t>(target - mixedFrames_);
    const size_t start = pending_.size();
    pending_.resize(start + frames * IAudioSource::kChannels);
    mixer_.Mix(pending_.data() + start, frames);
    mixedFrames_ = target;
}

void RenderAudioMix::Start(IAudioSource* source)
{
    MixUpTo(now_());
    mixer_.Add(source);
}

void RenderAudioMix::Stop(IAudioSource* source)
{
    MixUpTo(now_());
    mixer_.Remove(source);
}

std::vector<int16_t> RenderAudioMix::TakeUpTo(uint64_t ms)
{
    MixUpTo(ms);
    std::vector<int16_t> out;
    out.swap(pending_);
    return out;
}

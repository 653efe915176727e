#pragma once
#include <cstddef>
#include <cstdint>

// Keeps a sound output from running ahead of the real clock. A real device asks for sound as it plays it;
// some take it as fast as it comes (ALSA's null device, a sink that drops it), which would spin the output
// thread and race through the music in moments. The pacer says how long to hold each request back; a
// device that keeps time never waits.
class AudioPacer {
public:
    // `rate` frames per second; the output may be up to `aheadMs` ahead of the clock before it waits.
    explicit AudioPacer(uint32_t rate, uint32_t aheadMs = 250) : rate_(rate ? rate : 1), aheadMs_(aheadMs) { }

    // The output starts (again) at `nowMs`: nothing handed out counts any more.
    void Restart(uint64_t nowMs)
    {
        startMs_ = nowMs;
        frames_ = 0;
    }
    // `frames` more were handed out at `nowMs`: the milliseconds to wait before handing out more.
    uint32_t Delivered(uint64_t nowMs, size_t frames)
    {
        // A device that fell behind (or a clock that went back) starts counting afresh, so that no credit
        // piles up for a burst later.
        if (nowMs < startMs_ || PlayedUntil() < nowMs)
            Restart(nowMs);
        frames_ += frames;
        const uint64_t until = PlayedUntil();
        return until > nowMs + aheadMs_ ? uint32_t(until - nowMs - aheadMs_) : 0;
    }

private:
    uint64_t PlayedUntil() const { return startMs_ + frames_ * 1000 / rate_; }

    uint32_t rate_;
    uint32_t aheadMs_;
    uint64_t startMs_ = 0;
    uint64_t frames_ = 0;
};

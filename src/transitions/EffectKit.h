#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "transitions/TransitionEngine.h"

// The small kit every effect family draws with, so that no family repeats a loop, a ratio or a shuffle.

// A slide's aspect ratio num / den as the effects keep it: a single-precision value.
inline float SingleRatio(int num, int den)
{
    return den == 0 ? 0.0f : static_cast<float>(static_cast<double>(num) / static_cast<double>(den));
}

// trunc(r * v): the product of a single-precision ratio and an integer, computed in double and truncated
// toward zero. Saturates at the int range.
inline int TruncTimes(float r, long long v)
{
    const double product = static_cast<double>(r) * static_cast<double>(v);
    if (product >= 2147483647.0)
        return 2147483647;
    if (product <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(product);
}

// One frame of a loop an effect runs itself: begun as `kind` (`kept` for the loop's first and last frames,
// which are always drawn), drawn by draw() - which changes nothing on the canvas while the frame is left out,
// so an effect composing into a picture of its own goes on composing - and ended with the delay. False when
// a stop ended it.
template <typename Draw> bool Frame(TransitionEngine& fx, FrameKind kind, bool kept, uint32_t delayMs, Draw&& draw)
{
    fx.BeginFrame(kind, delayMs, kept);
    draw();
    return fx.EndFrame(delayMs);
}

// Frames of the kind at progress p = from, from + step, ... while p < to (a positive step) or p > to (a
// negative one), counted in 64 bits so that no step can wrap. draw(p, last) draws one frame, where last is
// the progress of the last frame drawn (from in the first frame), so an effect can draw just the part added
// since; the frame then ends with the delay. The first frame is always drawn, and the last unless keepLast is
// false (something drawn after the sweep covers it). Returns false when a stop ended the sweep, true when it
// ran to its end.
template <typename Draw>
bool SweepFrames(TransitionEngine& fx, FrameKind kind, bool keepLast, long long from, long long to, long long step,
                 uint32_t delayMs, Draw&& draw)
{
    if (step == 0)
        return true;
    const auto before = [&](long long p) { return step > 0 ? p < to : p > to; };
    // Without its last frame kept, what follows the sweep closes it: due after the frames left.
    const long long stride = step > 0 ? step : -step;
    const auto closesIn = [&](long long p) { return keepLast ? 0 : ((step > 0 ? to - p : p - to) - 1) / stride + 1; };
    long long last = from;
    for (long long p = from; before(p); p += step) {
        const bool drawn = fx.BeginFrame(kind, delayMs, p == from || (keepLast && !before(p + step)), closesIn(p));
        draw(static_cast<int>(p), static_cast<int>(last));
        if (drawn)
            last = p;
        if (!fx.EndFrame(delayMs))
            return false;
    }
    return true;
}

template <typename Draw>
bool Sweep(TransitionEngine& fx, FrameKind kind, long long from, long long to, long long step, uint32_t delayMs,
           Draw&& draw)
{
    return SweepFrames(fx, kind, true, from, to, step, delayMs, std::forward<Draw>(draw));
}

// An overwriting sweep closed by the whole slide, also after a stop. The closing copy draws over the sweep's
// last frame too, so a display-paced run may leave that one out as well, and near the end it leaves out the
// frames that would hold the closing up past its time.
template <typename Draw>
void SweepToWholeSlide(TransitionEngine& fx, long long from, long long to, long long step, uint32_t delayMs,
                       Draw&& draw)
{
    SweepFrames(fx, FrameKind::Overwrites, false, from, to, step, delayMs, std::forward<Draw>(draw));
    fx.CopyWholeSlide();
}

// A sweep of frames that each add to what the frames before drew.
template <typename Draw>
bool Sweep(TransitionEngine& fx, long long from, long long to, long long step, uint32_t delayMs, Draw&& draw)
{
    return Sweep(fx, FrameKind::Adds, from, to, step, delayMs, std::forward<Draw>(draw));
}

// The entries of a random-order effect: each frame takes the entry at (random number) modulo the number
// left, and removes it, so every entry is drawn exactly once.
class ShuffledEntries {
public:
    explicit ShuffledEntries(std::vector<int> entries) : entries_(std::move(entries)) { }
    // The entries 0, 1, ..., count - 1.
    static ShuffledEntries Range(int count)
    {
        std::vector<int> all;
        all.reserve(count > 0 ? static_cast<size_t>(count) : 0);
        for (int i = 0; i < count; ++i)
            all.push_back(i);
        return ShuffledEntries(std::move(all));
    }

    bool Empty() const { return entries_.empty(); }
    size_t Remaining() const { return entries_.size(); }
    int Take(int randomNumber)
    {
        const size_t at =
            static_cast<size_t>(randomNumber < 0 ? -(long long)randomNumber : randomNumber) % entries_.size();
        const int entry = entries_[at];
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
        return entry;
    }

private:
    std::vector<int> entries_;
};

#pragma once
#include "platform/Clock.h"
#include "saver/EventLoop.h"

#include <cstdint>

namespace SaverDetail {
// Made before the loop that runs on it.
struct VirtualClockHolder {
    explicit VirtualClockHolder(uint32_t start) : virtualClock(start) { }
    VirtualClock virtualClock;
};
} // namespace SaverDetail

// The event loop in virtual time: the clock jumps to each event's due time, so a whole show runs at once
// and deterministically.
class HeadlessHost final : private SaverDetail::VirtualClockHolder, public EventLoop {
public:
    explicit HeadlessHost(uint32_t startTick = 0);

    // Every event due up to the virtual time (ms since start); the clock ends there. Returns the count.
    size_t RunUntil(uint64_t until);

protected:
    bool ReachTime(uint64_t due) override;
};

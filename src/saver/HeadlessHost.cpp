#include "saver/HeadlessHost.h"

#include <algorithm>

HeadlessHost::HeadlessHost(uint32_t startTick) : VirtualClockHolder(startTick), EventLoop(virtualClock)
{
}

bool HeadlessHost::ReachTime(uint64_t due)
{
    virtualClock.Advance(uint32_t(due - now_));
    return true;
}

size_t HeadlessHost::RunUntil(uint64_t until)
{
    size_t count = 0;
    while (!QuitRequested()) {
        uint64_t due = 0;
        if (!NextDueTime(due) || due > until)
            break;
        if (!Step())
            break;
        ++count;
    }
    Sync();
    while (!QuitRequested() && now_ < until) {
        virtualClock.Advance(uint32_t(std::min<uint64_t>(until - now_, 0x40000000)));
        Sync();
    }
    return count;
}

#include "saver/LiveLoop.h"

#include <algorithm>

LiveLoop::LiveLoop(IClock& clock) : EventLoop(clock)
{
}

void LiveLoop::Invoke(std::function<void()> action)
{
    {
        std::lock_guard<std::mutex> lock(inboxLock_);
        inbox_.push_back(std::move(action));
    }
    // One wake-up is enough until the loop has taken the inbox.
    if (!woken_.exchange(true) && wake)
        wake();
}

size_t LiveLoop::RunInvoked()
{
    woken_ = false;
    std::vector<std::function<void()>> actions;
    {
        std::lock_guard<std::mutex> lock(inboxLock_);
        actions.swap(inbox_);
    }
    for (auto& action : actions) {
        if (QuitRequested())
            break;
        action();
    }
    return actions.size();
}

size_t LiveLoop::RunDue(size_t limit)
{
    size_t count = RunInvoked();
    while (count < limit && Step())
        ++count;
    return count;
}

uint32_t LiveLoop::MsUntilNextEvent()
{
    if (QuitRequested())
        return kNothingPending;
    {
        std::lock_guard<std::mutex> lock(inboxLock_);
        if (!inbox_.empty())
            return 0;
    }
    uint64_t due = 0;
    if (!NextDueTime(due))
        return kNothingPending;
    return due <= now_ ? 0 : uint32_t(std::min<uint64_t>(due - now_, kNothingPending - 1));
}

bool LiveLoop::ReachTime(uint64_t)
{
    return false; // real time gets there by itself
}

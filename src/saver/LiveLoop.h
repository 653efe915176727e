#pragma once
#include "saver/EventLoop.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

// The event loop on a real clock: an event is delivered once its time has come, and the window's own wait
// (for input, or for the next due time) lies between. Other threads (transition workers, sound devices)
// hand actions in through Invoke; they run on the loop's thread at its next turn.
class LiveLoop final : public EventLoop {
public:
    // Never returned by MsUntilNextEvent: nothing is pending at all.
    static constexpr uint32_t kNothingPending = UINT32_MAX;

    explicit LiveLoop(IClock& clock);

    // Wakes the loop's wait from any thread (the window's event queue gets a message).
    std::function<void()> wake;

    // Any thread: runs the action on the loop's thread.
    void Invoke(std::function<void()> action);
    // The loop's thread: runs the handed-in actions and every event that is due now, returning how many.
    // Events that come due while they run are delivered too; a long run does not starve the window, since
    // it stops after `limit` events.
    size_t RunDue(size_t limit = 1000);
    // Milliseconds the loop may wait before an event comes due (0 when one is due now).
    uint32_t MsUntilNextEvent();

protected:
    bool ReachTime(uint64_t due) override;

private:
    size_t RunInvoked();

    std::mutex inboxLock_;
    std::vector<std::function<void()>> inbox_;
    std::atomic<bool> woken_{false};
};

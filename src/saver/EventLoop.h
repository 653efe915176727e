#pragma once
#include "platform/Clock.h"
#include "saver/DelayedPost.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

// The show's event loop: posted messages are delivered in order before anything else; timers and
// scheduled events fire in the order of their due time (ties in the order they were set). How time moves
// on to the next due event is the kind of loop's own: the headless host jumps there, the live loop waits.
class EventLoop : public IDelayedPost {
public:
    explicit EventLoop(IClock& clock);

    IClock& Clock() { return clock_; }
    // Milliseconds since the loop started (does not wrap).
    uint64_t Now();

    // Where messages and timers go.
    std::function<void(uint32_t message, uint32_t wParam)> onMessage;
    std::function<void(uint32_t id)> onTimer;
    // Observers, called before delivery.
    std::function<void(uint64_t now, uint32_t message, uint32_t wParam)> onPosted;
    std::function<void(uint64_t now, uint32_t id)> onTimerFired;

    void Post(uint32_t message, uint32_t wParam = 0);
    // Periodic timer; setting a running id restarts it with the new period.
    void SetTimer(uint32_t id, uint32_t ms);
    void KillTimer(uint32_t id);
    bool TimerRunning(uint32_t id) const { return timers_.count(id) != 0; }
    // A one-shot action at a loop time (user input, device events).
    uint64_t At(uint64_t when, std::function<void()> action);
    uint64_t PostAfter(uint32_t ms, uint32_t message) override;
    void Cancel(uint64_t ticket) override;

    // Ends the run: nothing is delivered after it.
    void Quit(int code);
    bool QuitRequested() const { return quit_; }
    int QuitCode() const { return quitCode_; }

    // One event; false when there is none (or none due yet) or the run has ended.
    bool Step();
    size_t RunEvents(size_t count);
    // Drops every pending event (the window is gone).
    void Clear();

protected:
    ~EventLoop() override = default;
    // The next event is due at a later loop time: true after time has moved there, false to leave it for
    // later.
    virtual bool ReachTime(uint64_t due) = 0;
    // Loop time of the next event; false when nothing is pending. A waiting message counts as due now.
    bool NextDueTime(uint64_t& due);
    void Sync();
    uint64_t now_ = 0;

private:
    struct Timer {
        uint32_t period;
        uint64_t due;
        uint64_t order;
    };
    struct Scheduled {
        uint64_t due;
        std::function<void()> action;
    };
    bool NextDue(uint64_t& due, bool& isTimer, uint32_t& timerId, uint64_t& ticket);

    IClock& clock_;
    uint32_t lastTick_;
    uint64_t order_ = 0;
    std::deque<std::pair<uint32_t, uint32_t>> posted_;
    std::map<uint32_t, Timer> timers_;
    std::map<uint64_t, Scheduled> scheduled_; // by ticket, which is also the order of setting
    bool quit_ = false;
    int quitCode_ = 0;
};

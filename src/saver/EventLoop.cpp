#include "saver/EventLoop.h"

#include <limits>

EventLoop::EventLoop(IClock& clock) : clock_(clock), lastTick_(clock.TickCount())
{
}

void EventLoop::Sync()
{
    // Whoever slept on the clock moved time on; follow it across the tick count's wrap.
    const uint32_t tick = clock_.TickCount();
    now_ += uint32_t(tick - lastTick_);
    lastTick_ = tick;
}

uint64_t EventLoop::Now()
{
    Sync();
    return now_;
}

void EventLoop::Post(uint32_t message, uint32_t wParam)
{
    if (!quit_)
        posted_.emplace_back(message, wParam);
}

void EventLoop::SetTimer(uint32_t id, uint32_t ms)
{
    // A zero period fires as soon as the loop runs, as a system timer would at its minimum.
    const uint32_t period = ms == 0 ? 1 : ms;
    timers_[id] = Timer{period, Now() + period, ++order_};
}

void EventLoop::KillTimer(uint32_t id)
{
    timers_.erase(id);
}

uint64_t EventLoop::At(uint64_t when, std::function<void()> action)
{
    const uint64_t ticket = ++order_;
    scheduled_[ticket] = Scheduled{when, std::move(action)};
    return ticket;
}

uint64_t EventLoop::PostAfter(uint32_t ms, uint32_t message)
{
    return At(Now() + ms, [this, message] { Post(message); });
}

void EventLoop::Cancel(uint64_t ticket)
{
    scheduled_.erase(ticket);
}

void EventLoop::Quit(int code)
{
    quit_ = true;
    quitCode_ = code;
}

void EventLoop::Clear()
{
    posted_.clear();
    timers_.clear();
    scheduled_.clear();
}

bool EventLoop::NextDue(uint64_t& due, bool& isTimer, uint32_t& timerId, uint64_t& ticket)
{
    bool found = false;
    uint64_t bestOrder = std::numeric_limits<uint64_t>::max();
    for (const auto& [id, t] : timers_) {
        if (!found || t.due < due || (t.due == due && t.order < bestOrder)) {
            found = true;
            due = t.due;
            bestOrder = t.order;
            isTimer = true;
            timerId = id;
        }
    }
    for (const auto& [t, s] : scheduled_) {
        if (!found || s.due < due || (s.due == due && t < bestOrder)) {
            found = true;
            due = s.due;
            bestOrder = t;
            isTimer = false;
            ticket = t;
        }
    }
    return found;
}

bool EventLoop::NextDueTime(uint64_t& due)
{
    Sync();
    if (!posted_.empty()) {
        due = now_;
        return true;
    }
    bool isTimer = false;
    uint32_t timerId = 0;
    uint64_t ticket = 0;
    return NextDue(due, isTimer, timerId, ticket);
}

bool EventLoop::Step()
{
    if (quit_)
        return false;
    Sync();
    if (!posted_.empty()) {
        const auto [message, wParam] = posted_.front();
        posted_.pop_front();
        if (onPosted)
            onPosted(now_, message, wParam);
        if (onMessage)
            onMessage(message, wParam);
        return true;
    }
    uint64_t due = 0;
    bool isTimer = false;
    uint32_t timerId = 0;
    uint64_t ticket = 0;
    if (!NextDue(due, isTimer, timerId, ticket))
        return false;
    if (due > now_) {
        if (!ReachTime(due))
            return false;
        Sync();
    }
    if (isTimer) {
        Timer& t = timers_[timerId];
        t.due = now_ + t.period;
        t.order = ++order_;
        if (onTimerFired)
            onTimerFired(now_, timerId);
        if (onTimer)
            onTimer(timerId);
    } else {
        auto action = std::move(scheduled_[ticket].action);
        scheduled_.erase(ticket);
        action();
    }
    return true;
}

size_t EventLoop::RunEvents(size_t count)
{
    size_t done = 0;
    while (done < count && Step())
        ++done;
    return done;
}

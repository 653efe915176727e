#include "saver/HeadlessHost.h"

#include <algorithm>
#include <limits>

CHeadlessHost::CHeadlessHost(uint32_t startTick) : clock_(startTick), lastTick_(startTick)
{
}

void CHeadlessHost::Sync()
{
    // Whoever slept on the clock moved time on; follow it across the tick count's wrap.
    const uint32_t tick = clock_.TickCount();
    now_ += uint32_t(tick - lastTick_);
    lastTick_ = tick;
}

uint64_t CHeadlessHost::Now()
{
    Sync();
    return now_;
}

void CHeadlessHost::Post(uint32_t message, uint32_t wParam)
{
    if (!quit_)
        posted_.emplace_back(message, wParam);
}

void CHeadlessHost::SetTimer(uint32_t id, uint32_t ms)
{
    // A zero period fires as soon as the loop runs, as a system timer would at its minimum.
    const uint32_t period = ms == 0 ? 1 : ms;
    timers_[id] = Timer{period, Now() + period, ++order_};
}

void CHeadlessHost::KillTimer(uint32_t id)
{
    timers_.erase(id);
}

uint64_t CHeadlessHost::At(uint64_t when, std::function<void()> action)
{
    const uint64_t ticket = ++order_;
    scheduled_[ticket] = Scheduled{when, std::move(action)};
    return ticket;
}

uint64_t CHeadlessHost::PostAfter(uint32_t ms, uint32_t message)
{
    return At(Now() + ms, [this, message] { Post(message); });
}

void CHeadlessHost::Cancel(uint64_t ticket)
{
    scheduled_.erase(ticket);
}

void CHeadlessHost::Quit(int code)
{
    quit_ = true;
    quitCode_ = code;
}

void CHeadlessHost::Clear()
{
    posted_.clear();
    timers_.clear();
    scheduled_.clear();
}

bool CHeadlessHost::NextDue(uint64_t& due, bool& isTimer, uint32_t& timerId, uint64_t& ticket)
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

bool CHeadlessHost::Step()
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
        clock_.Advance(uint32_t(due - now_));
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

size_t CHeadlessHost::RunUntil(uint64_t until)
{
    size_t count = 0;
    while (!quit_) {
        Sync();
        if (posted_.empty()) {
            uint64_t due = 0;
            bool isTimer = false;
            uint32_t timerId = 0;
            uint64_t ticket = 0;
            if (!NextDue(due, isTimer, timerId, ticket) || due > until)
                break;
        }
        if (!Step())
            break;
        ++count;
    }
    Sync();
    while (!quit_ && now_ < until) {
        clock_.Advance(uint32_t(std::min<uint64_t>(until - now_, 0x40000000)));
        Sync();
    }
    return count;
}

size_t CHeadlessHost::RunEvents(size_t count)
{
    size_t done = 0;
    while (done < count && Step())
        ++done;
    return done;
}

#pragma once

// Raises the system timer resolution to 1 ms for its lifetime (Windows), or takes away the timer slack of the
// calling thread (Linux), so that the 1 and 2 ms frame delays of the effects are kept.
class TimerResolutionScope {
public:
    TimerResolutionScope();
    ~TimerResolutionScope();
    TimerResolutionScope(const TimerResolutionScope&) = delete;
    TimerResolutionScope& operator=(const TimerResolutionScope&) = delete;

private:
    [[maybe_unused]] bool raised_ = false;          // only where the resolution can be raised
    [[maybe_unused]] unsigned long savedSlack_ = 0; // Linux: the thread's slack before
};

#pragma once

// Raises the system timer resolution to 1 ms for its lifetime, so that the 1 and 2 ms frame delays of the
// effects are kept; nothing to do where sleeps are already fine-grained.
class CTimerResolutionScope {
public:
    CTimerResolutionScope();
    ~CTimerResolutionScope();
    CTimerResolutionScope(const CTimerResolutionScope&) = delete;
    CTimerResolutionScope& operator=(const CTimerResolutionScope&) = delete;

private:
    [[maybe_unused]] bool raised_ = false; // only where the resolution can be raised
};

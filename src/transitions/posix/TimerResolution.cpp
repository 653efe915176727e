#include "transitions/TimerResolution.h"

#if defined(__linux__)
#include <sys/prctl.h>

// Sleeps here are fine-grained already, but the kernel lets each of them end up to the thread's timer slack
// (50 us by default) late; over hundreds of 1 and 2 ms frames that adds up, so the slack is 1 ns for the run.
TimerResolutionScope::TimerResolutionScope()
{
    const int slack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    if (slack > 1 && prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0) == 0) {
        savedSlack_ = static_cast<unsigned long>(slack);
        raised_ = true;
    }
}

TimerResolutionScope::~TimerResolutionScope()
{
    if (raised_)
        prctl(PR_SET_TIMERSLACK, savedSlack_, 0, 0, 0);
}
#else
TimerResolutionScope::TimerResolutionScope() = default;

TimerResolutionScope::~TimerResolutionScope() = default;
#endif

#include "transitions/TimerResolution.h"

#include <windows.h>
#include <mmsystem.h>

TimerResolutionScope::TimerResolutionScope()
{
    raised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
}

TimerResolutionScope::~TimerResolutionScope()
{
    if (raised_)
        timeEndPeriod(1);
}

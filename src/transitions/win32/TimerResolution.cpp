#include "transitions/TimerResolution.h"

#include <windows.h>
#include <mmsystem.h>

CTimerResolutionScope::CTimerResolutionScope()
{
    raised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
}

CTimerResolutionScope::~CTimerResolutionScope()
{
    if (raised_)
        timeEndPeriod(1);
}

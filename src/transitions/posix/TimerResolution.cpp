#include "transitions/TimerResolution.h"

CTimerResolutionScope::CTimerResolutionScope() = default;

CTimerResolutionScope::~CTimerResolutionScope() = default;

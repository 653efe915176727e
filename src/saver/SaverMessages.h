#pragma once
#include <cstdint>

#include "transitions/ShowMessages.h"

// The input and close messages and the timer numbers the screensaver window and the headless hosts share
// (the players' own messages are ShowMsg). The values are the Windows ones, so both hosts speak the same
// numbers.
namespace SaverMsg {
constexpr uint32_t Close = 0x0010;
constexpr uint32_t KeyDown = 0x0100;
constexpr uint32_t Char = 0x0102;
constexpr uint32_t Help = 0x0053;
constexpr uint32_t MouseMove = 0x0200;
constexpr uint32_t LButtonDown = 0x0201;
constexpr uint32_t LButtonUp = 0x0202;
constexpr uint32_t LButtonDblClk = 0x0203;
constexpr uint32_t RButtonDown = 0x0204;
constexpr uint32_t RButtonUp = 0x0205;
constexpr uint32_t RButtonDblClk = 0x0206;
constexpr uint32_t MButtonDown = 0x0207;
constexpr uint32_t MButtonUp = 0x0208;
} // namespace SaverMsg

namespace SaverTimer {
constexpr uint32_t DisplayTime = 1;
constexpr uint32_t MusicPause = 2;
constexpr uint32_t TimeLimit = 3;

// The longest period a window timer keeps (USER_TIMER_MAXIMUM). Periods come from stored seconds and minutes:
// their products are taken in 64 bits and cut to this, so a long wait never wraps into a short one.
constexpr uint32_t MaxPeriod = 0x7FFFFFFF;
constexpr uint32_t PeriodOf(uint64_t ms)
{
    return ms > MaxPeriod ? MaxPeriod : uint32_t(ms);
}
} // namespace SaverTimer

namespace SaverKey {
constexpr uint32_t Return = 13;
constexpr uint32_t Escape = 27;
} // namespace SaverKey

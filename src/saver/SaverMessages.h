#pragma once
#include <cstdint>

#include "transitions/ShowMessages.h"

// The input and close messages and the timer numbers the screensaver window and the headless hosts share
// (the players' own messages are ShowMsg). The values are the Windows ones, so both hosts speak the same
// numbers.
namespace SaverMsg {
constexpr uint32_t kClose = 0x0010;
constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kChar = 0x0102;
constexpr uint32_t kHelp = 0x0053;
constexpr uint32_t kMouseMove = 0x0200;
constexpr uint32_t kLButtonDown = 0x0201;
constexpr uint32_t kLButtonUp = 0x0202;
constexpr uint32_t kLButtonDblClk = 0x0203;
constexpr uint32_t kRButtonDown = 0x0204;
constexpr uint32_t kRButtonUp = 0x0205;
constexpr uint32_t kRButtonDblClk = 0x0206;
constexpr uint32_t kMButtonDown = 0x0207;
constexpr uint32_t kMButtonUp = 0x0208;
} // namespace SaverMsg

namespace SaverTimer {
constexpr uint32_t kDisplayTime = 1;
constexpr uint32_t kMusicPause = 2;
constexpr uint32_t kTimeLimit = 3;

// The longest period a window timer keeps (USER_TIMER_MAXIMUM). Periods come from stored seconds and minutes:
// their products are taken in 64 bits and cut to this, so a long wait never wraps into a short one.
constexpr uint32_t kMaxPeriod = 0x7FFFFFFF;
constexpr uint32_t PeriodOf(uint64_t ms)
{
    return ms > kMaxPeriod ? kMaxPeriod : uint32_t(ms);
}
} // namespace SaverTimer

namespace SaverKey {
constexpr uint32_t kReturn = 13;
constexpr uint32_t kEscape = 27;
} // namespace SaverKey

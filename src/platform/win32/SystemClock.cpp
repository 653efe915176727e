#include "platform/Clock.h"

#include <windows.h>

namespace {
class WinClock final : public IClock {
public:
    uint32_t TickCount() override { return GetTickCount(); }
    void Sleep(uint32_t ms) override { ::Sleep(ms); }
};
} // namespace

IClock& SystemClock()
{
    static WinClock clock;
    return clock;
}

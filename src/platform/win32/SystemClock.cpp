#include "platform/Clock.h"

#include <windows.h>

#include <chrono>

namespace {
class WinClock final : public IClock {
public:
    uint32_t TickCount() override { return GetTickCount(); }
    // The performance counter's time, finer than the tick count's 10 to 16 ms.
    int64_t Micros() override
    {
        using namespace std::chrono;
        return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void Sleep(uint32_t ms) override { ::Sleep(ms); }
};
} // namespace

IClock& SystemClock()
{
    static WinClock clock;
    return clock;
}

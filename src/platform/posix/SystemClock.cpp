#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace {
class PosixClock final : public IClock {
public:
    uint32_t TickCount() override
    {
        using namespace std::chrono;
        return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    int64_t Micros() override
    {
        using namespace std::chrono;
        return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void SleepMicros(int64_t us) override
    {
        if (us > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(us));
    }
};
} // namespace

IClock& SystemClock()
{
    static PosixClock clock;
    return clock;
}

#pragma once
#include <cstdint>

// Time as a service: the real clock sleeps, the virtual clock of the headless host advances at once.
class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since some fixed start, wrapping like the system tick count.
    virtual uint32_t TickCount() = 0;
    // Microseconds since some fixed start, for pacing within a millisecond; the tick count's, where the clock
    // has nothing finer (and wrapping with it).
    virtual int64_t Micros() { return int64_t(TickCount()) * 1000; }
    virtual void Sleep(uint32_t ms) = 0;
    // A sleep as close to the microseconds as the system allows; where it sleeps whole milliseconds, the
    // nearest number of them.
    virtual void SleepMicros(int64_t us)
    {
        if (us >= 500)
            Sleep(static_cast<uint32_t>((us + 500) / 1000));
    }
};

// The process's real clock (system tick count, real sleeps).
IClock& SystemClock();

// A clock that only moves when told to, or when someone sleeps on it.
class VirtualClock final : public IClock {
public:
    explicit VirtualClock(uint32_t start = 0) : now_(start) { }
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override { now_ += ms; }
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t now) { now_ = now; }

private:
    uint32_t now_;
};

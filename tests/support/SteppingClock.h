#pragma once
#include <cstdint>

#include "platform/Clock.h"

// A tick that moves on by a large odd step at every reading, so each draw of a refill sees another value.
class SteppingClock final : public IClock {
public:
    uint32_t TickCount() override { return now_ += 0x9E3779B9u; }
    void Sleep(uint32_t ms) override { now_ += ms; }

private:
    uint32_t now_ = 0;
};

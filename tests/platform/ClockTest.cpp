#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(VirtualClock, SleepingAdvancesWithoutWaitingAndWraps)
{
    VirtualClock clock(0xFFFFFFF0u);
    clock.Sleep(0x20);
    EXPECT_EQ(clock.TickCount(), 0x10u);
}

TEST(SystemClock, MovesForwardAcrossASleep)
{
    IClock& clock = SystemClock();
    uint32_t before = clock.TickCount();
    clock.Sleep(20);
    EXPECT_GE(static_cast<uint32_t>(clock.TickCount() - before), 10u);
}

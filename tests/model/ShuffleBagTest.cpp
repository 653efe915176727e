#include "model/ShuffleBag.h"
#include "platform/Clock.h"
#include "support/SteppingClock.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(ShuffleBag, EveryItemOncePerCycle)
{
    VirtualClock clock(12345);
    ShuffleBag bag(clock);
    for (int cycle = 0; cycle < 4; ++cycle) {
        std::set<int> seen;
        for (int i = 0; i < 5; ++i) {
            const int next = bag.Next(5);
            ASSERT_GE(next, 0);
            ASSERT_LT(next, 5);
            EXPECT_TRUE(seen.insert(next).second) << "repeat within a cycle";
            clock.Advance(7 + static_cast<uint32_t>(cycle));
        }
        EXPECT_EQ(bag.Remaining(), 0u);
    }
}

TEST(ShuffleBag, DrawsFromTickModuloRemaining)
{
    // Tick 7 for a bag of 4: picks 7%4=3 from {0,1,2,3}, 7%3=1 from {0,1,2}, 7%2=1 from {0,2}, then 0.
    VirtualClock clock(7);
    ShuffleBag bag(clock);
    std::vector<int> order;
    for (int i = 0; i < 4; ++i)
        order.push_back(bag.Next(4));
    EXPECT_EQ(order, (std::vector<int>{3, 1, 2, 0}));
}

TEST(ShuffleBag, EmptyListYieldsZero)
{
    VirtualClock clock;
    ShuffleBag bag(clock);
    EXPECT_EQ(bag.Next(0), 0);
    EXPECT_EQ(bag.Next(-3), 0);
}

TEST(ShuffleBag, ShrunkListNeverYieldsMissingItem)
{
    VirtualClock clock(0);
    ShuffleBag bag(clock);
    bag.Next(10);
    for (int i = 0; i < 20; ++i)
        EXPECT_LT(bag.Next(3), 3);
}

TEST(ShuffleBag, EachDrawTakesTheTickModuloRemainingEntryOfTheOrderedList)
{
    const int n = 300;
    SteppingClock ticks;
    std::vector<int> list(n);
    for (int i = 0; i < n; ++i)
        list[static_cast<size_t>(i)] = i;
    std::vector<int> expected;
    for (int i = 0; i < n; ++i) {
        const size_t a = ticks.TickCount() % static_cast<unsigned>(n - i);
        expected.push_back(list[a]);
        list.erase(list.begin() + static_cast<long>(a));
    }

    SteppingClock clock;
    ShuffleBag bag(clock);
    std::vector<int> order;
    for (int i = 0; i < n; ++i)
        order.push_back(bag.Next(n));
    EXPECT_EQ(order, expected);
}

TEST(ShuffleBag, LargePlaylistGivesEveryItemOncePerCycle)
{
    // A project of a few hundred thousand items (the refill's speed is measured in bench_shuffle).
    const int n = 400000;
    SteppingClock clock;
    ShuffleBag bag(clock);
    std::vector<bool> seen(n);
    for (int i = 0; i < n; ++i) {
        const int next = bag.Next(n);
        ASSERT_TRUE(next >= 0 && next < n && !seen[static_cast<size_t>(next)]);
        seen[static_cast<size_t>(next)] = true;
    }
    EXPECT_EQ(bag.Remaining(), 0u);
}

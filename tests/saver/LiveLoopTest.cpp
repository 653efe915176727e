#include "saver/LiveLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Real time as the test sets it.
class HandClock final : public IClock {
public:
    uint32_t TickCount() override { return now; }
    void Sleep(uint32_t ms) override { now += ms; }
    std::atomic<uint32_t> now{0xFFFFF000u}; // near the wrap
};

struct LiveRecorder {
    HandClock clock;
    LiveLoop loop{clock};
    std::vector<uint32_t> seen;
    std::atomic<int> wakes{0};
    LiveRecorder()
    {
        loop.onMessage = [this](uint32_t m, uint32_t) { seen.push_back(m); };
        loop.onTimer = [this](uint32_t id) { seen.push_back(1000 + id); };
        loop.wake = [this] { ++wakes; };
    }
};

} // namespace

TEST(LiveLoop, EventsWaitForTheirRealTimeAndTheWaitIsWhatIsLeft)
{
    LiveRecorder r;
    r.loop.SetTimer(1, 500);
    r.loop.PostAfter(200, 7);
    EXPECT_EQ(r.loop.RunDue(), 0u);
    EXPECT_EQ(r.loop.MsUntilNextEvent(), 200u);
    r.clock.now += 199;
    EXPECT_EQ(r.loop.RunDue(), 0u);
    EXPECT_EQ(r.loop.MsUntilNextEvent(), 1u);
    r.clock.now += 1;
    r.loop.RunDue();
    EXPECT_EQ(r.seen, (std::vector<uint32_t>{7}));
    EXPECT_EQ(r.loop.MsUntilNextEvent(), 300u);
    // Late: everything overdue comes at once, in order of due time.
    r.clock.now += 1000;
    r.loop.RunDue();
    EXPECT_EQ(r.seen, (std::vector<uint32_t>{7, 1001}));
    r.loop.KillTimer(1);
    EXPECT_EQ(r.loop.MsUntilNextEvent(), LiveLoop::kNothingPending);
}

TEST(LiveLoop, ActionsFromOtherThreadsRunOnTheLoopInOrderAfterOneWakeUp)
{
    LiveRecorder r;
    std::vector<int> order;
    const auto loopThread = std::this_thread::get_id();
    bool allOnLoop = true;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i)
            r.loop.Invoke([&, i] {
                order.push_back(i);
                allOnLoop = allOnLoop && std::this_thread::get_id() == loopThread;
            });
    });
    worker.join();
    EXPECT_EQ(r.wakes, 1) << "one wake-up until the loop takes the actions";
    EXPECT_EQ(r.loop.MsUntilNextEvent(), 0u);
    r.loop.Post(5);
    EXPECT_EQ(r.loop.RunDue(), 101u);
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[size_t(i)], i);
    EXPECT_TRUE(allOnLoop);
    EXPECT_EQ(r.seen, (std::vector<uint32_t>{5}));
    r.loop.Invoke([] {});
    EXPECT_EQ(r.wakes, 2) << "the next action wakes the loop again";
}

TEST(LiveLoop, NothingRunsOnceTheShowHasQuit)
{
    LiveRecorder r;
    bool ran = false;
    r.loop.Invoke([&] { r.loop.Quit(0); });
    r.loop.Invoke([&] { ran = true; });
    r.loop.Post(3);
    r.loop.RunDue();
    EXPECT_FALSE(ran);
    EXPECT_TRUE(r.seen.empty());
    EXPECT_EQ(r.loop.MsUntilNextEvent(), LiveLoop::kNothingPending);
}

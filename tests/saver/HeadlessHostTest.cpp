#include "saver/HeadlessHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
std::string Event(char kind, uint32_t number, uint64_t at)
{
    char text[48];
    std::snprintf(text, sizeof text, "%c%u@%llu", kind, number, static_cast<unsigned long long>(at));
    return text;
}
std::string Event(char kind, uint32_t number)
{
    char text[24];
    std::snprintf(text, sizeof text, "%c%u", kind, number);
    return text;
}

struct Recorder {
    HeadlessHost host;
    std::vector<std::string> seen;
    explicit Recorder(uint32_t start = 0) : host(start)
    {
        host.onMessage = [this](uint32_t m, uint32_t) { seen.push_back(Event('m', m, host.Now())); };
        host.onTimer = [this](uint32_t id) { seen.push_back(Event('t', id, host.Now())); };
    }
};
} // namespace

TEST(HeadlessHost, PostedMessagesComeFirstInOrderThenTimersByDueTime)
{
    Recorder r;
    r.host.SetTimer(2, 300);
    r.host.SetTimer(1, 100);
    r.host.Post(7);
    r.host.Post(8);
    r.host.RunUntil(650);
    EXPECT_EQ(r.seen,
              (std::vector<std::string>{"m7@0", "m8@0", "t1@100", "t1@200", "t2@300", "t1@300", "t1@400", "t1@500",
                                        "t2@600", "t1@600"}));
    EXPECT_EQ(r.host.Now(), 650u);
}

TEST(HeadlessHost, KilledAndRestartedTimersFollowTheirLatestSetting)
{
    Recorder r;
    r.host.SetTimer(1, 100);
    r.host.RunUntil(50);
    r.host.SetTimer(1, 1000); // restarts from now
    r.host.RunUntil(1049);
    EXPECT_TRUE(r.seen.empty());
    r.host.RunUntil(1050);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"t1@1050"}));
    r.host.KillTimer(1);
    EXPECT_EQ(r.host.RunUntil(100000), 0u);
}

TEST(HeadlessHost, MessagesPostedDuringDeliveryWaitForTheirTurn)
{
    Recorder r;
    r.host.onMessage = [&](uint32_t m, uint32_t) {
        r.seen.push_back(Event('m', m));
        if (m == 1) {
            r.host.Post(3);
            r.host.SetTimer(9, 0);
        }
    };
    r.host.Post(1);
    r.host.Post(2);
    r.host.RunEvents(10);
    EXPECT_EQ(r.seen,
              (std::vector<std::string>{"m1", "m2", "m3", "t9@1", "t9@2", "t9@3", "t9@4", "t9@5", "t9@6", "t9@7"}));
}

TEST(HeadlessHost, CancelledDelayedPostsNeverArrive)
{
    Recorder r;
    const uint64_t a = r.host.PostAfter(10, 1);
    r.host.PostAfter(10, 2);
    r.host.Cancel(a);
    r.host.RunUntil(100);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"m2@10"}));
}

TEST(HeadlessHost, TimeRunsOnAcrossTheTickCountWrap)
{
    Recorder r(0xFFFFFF00u);
    r.host.SetTimer(1, 1000);
    r.host.RunUntil(2500);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"t1@1000", "t1@2000"}));
    EXPECT_EQ(r.host.Clock().TickCount(), uint32_t(0xFFFFFF00u + 2500));
}

TEST(HeadlessHost, SleepingOnTheClockMovesTimeForEveryone)
{
    Recorder r;
    r.host.SetTimer(1, 100);
    r.host.onMessage = [&](uint32_t, uint32_t) { r.host.Clock().Sleep(250); };
    r.host.Post(5);
    r.host.RunEvents(2);
    // The timer was overdue after the sleep and fires at once.
    EXPECT_EQ(r.host.Now(), 250u);
}

TEST(HeadlessHost, NothingIsDeliveredAfterQuit)
{
    Recorder r;
    r.host.onMessage = [&](uint32_t m, uint32_t) {
        r.seen.push_back(Event('m', m));
        r.host.Quit(4);
    };
    r.host.Post(1);
    r.host.Post(2);
    r.host.RunUntil(1000);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"m1"}));
    EXPECT_TRUE(r.host.QuitRequested());
    EXPECT_EQ(r.host.QuitCode(), 4);
}

#include "base/SecondThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "support/SecondThreadHook.h"

namespace {

enum class Failure { None, OutOfMemory, Other };

class SecondThreadShare : public ::testing::TestWithParam<std::tuple<bool, Failure>> { };

// Whether or not a thread could be started, the work runs once, and what it threw comes back to the caller at
// the join, as the exception itself or as false.
TEST_P(SecondThreadShare, HandsBackWhatTheWorkThrewAtTheJoin)
{
    const auto [threads, failure] = GetParam();
    SecondThreadHook hook(threads ? nullptr : &SecondThreadHook::NoThread);
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id ranOn;
    int runs = 0;
    auto work = [&] {
        ranOn = std::this_thread::get_id();
        ++runs;
        if (failure == Failure::OutOfMemory)
            throw std::bad_alloc();
        if (failure == Failure::Other)
            throw std::runtime_error("broken");
    };

    SecondThread second(work);
    EXPECT_EQ(second.Started(), threads);
    switch (failure) {
    case Failure::None: EXPECT_NO_THROW(second.Join()); break;
    case Failure::OutOfMemory: EXPECT_THROW(second.Join(), std::bad_alloc); break;
    case Failure::Other: EXPECT_THROW(second.Join(), std::runtime_error); break;
    }
    EXPECT_EQ(ranOn != caller, threads);
    EXPECT_NO_THROW(second.Join()); // handed back once, the work not run again
    EXPECT_EQ(runs, 1);

    SecondThread again(work);
    EXPECT_EQ(again.JoinSucceeded(), failure == Failure::None);
    EXPECT_EQ(runs, 2);
}

INSTANTIATE_TEST_SUITE_P(StartedOrNot, SecondThreadShare,
                         ::testing::Combine(::testing::Bool(),
                                            ::testing::Values(Failure::None, Failure::OutOfMemory, Failure::Other)));

// When the caller's own share fails, the second thread is waited for (its failure dropped: the caller's is the
// one that goes on), and work that never got a thread is not run at all.
TEST(SecondThread, CallersFailureWaitsForTheShareAndRunsNoneThatNeverStarted)
{
    std::atomic<bool> release{false}, finished{false};
    auto callerFails = [&](bool shareFails) {
        SecondThread second([&] {
            while (!release)
                std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            finished = true;
            if (shareFails)
                throw std::bad_alloc();
        });
        release = true;
        throw std::runtime_error("caller");
    };
    for (bool shareFails : {false, true}) {
        release = false;
        finished = false;
        EXPECT_THROW(callerFails(shareFails), std::runtime_error);
        EXPECT_TRUE(finished) << shareFails;
    }

    SecondThreadHook hook(&SecondThreadHook::NoThread);
    finished = false;
    EXPECT_THROW(callerFails(false), std::runtime_error);
    EXPECT_FALSE(finished);
}

} // namespace

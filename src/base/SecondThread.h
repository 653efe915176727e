#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <thread>

// A share of work run beside the caller's own: on a second thread when one can be started, otherwise on the
// caller's thread when it joins. What the work throws (out of memory, mostly) is kept and handed back at the
// join, so that a failure on the second thread reaches the caller instead of ending the process. The thread is
// always joined: by Join, or by the destructor on the caller's failure path, which drops what the work threw and
// does not run work that never started. What the work uses must outlive this object: declare it first.
class SecondThread {
public:
    explicit SecondThread(std::function<void()> work);
    ~SecondThread();
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    // Waits for the work, running it here when no thread started, and rethrows what it threw.
    void Join();
    // The same, with what the work threw as false.
    [[nodiscard]] bool JoinSucceeded();
    // Whether the work has (or had) a thread of its own.
    bool Started() const { return started_; }

    // Whether this machine runs two threads at once, so that sharing work pays.
    static bool Worthwhile();

    // Tests: the work of every second thread passes through `hook` on the caller's thread before its thread
    // starts. A hook that throws stands for a thread that cannot start, one that returns failing work for a share
    // that fails. Null, the default, takes the work as given. Returns the hook before.
    using Hook = std::function<void()> (*)(const std::function<void()>& work);
    static Hook SetHook(Hook hook);

private:
    void Run() noexcept;

    std::function<void()> work_;
    std::exception_ptr failure_;
    std::thread thread_;
    bool started_ = false;
    bool joined_ = false;
};

// Pixels of one piece of row-by-row blending from which a second thread takes half the rows: a few hundred
// microseconds of work, far more than starting a thread costs.
constexpr int64_t kSplitRowsFromPixels = int64_t(1) << 18;

// Runs rows(from, to) over the rows [top, bottom) that hold `pixels` pixels in all: the lower half on a second
// thread when there are at least `splitFrom` of them and the machine runs two threads at once, all here
// otherwise. Rows must not depend on each other; what the second half throws is thrown here after both halves
// ended.
template <class Rows>
void RunRowsOnTwoThreads(int top, int bottom, int64_t pixels, Rows&& rows, int64_t splitFrom = kSplitRowsFromPixels)
{
    if (pixels < splitFrom || bottom - top < 2 || !SecondThread::Worthwhile()) {
        rows(top, bottom);
        return;
    }
    const int middle = top + (bottom - top) / 2;
    SecondThread lower([&] { rows(middle, bottom); });
    rows(top, middle);
    lower.Join();
}

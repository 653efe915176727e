#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>

// An event that lets exactly one wait through per Set and then closes again, as the transition's
// completion signal needs: the slide window resets it, the worker sets it once when it ends.
class AutoResetEvent {
public:
    void Set()
    {
        // Notified under the lock: once the waiter is through, its owner may destroy the event at once.
        std::lock_guard<std::mutex> lock(mutex_);
        signalled_ = true;
        cv_.notify_one();
    }
    void Reset()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        signalled_ = false;
    }
    // Waits without a time limit; consumes the signal.
    void Wait()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        cv_.wait(lock, [this] { return signalled_; });
        signalled_ = false;
    }
    // True (signal consumed) when the event was set within the time.
    bool WaitFor(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!cv_.wait_for(lock, timeout, [this] { return signalled_; }))
            return false;
        signalled_ = false;
        return true;
    }
    bool IsSet()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return signalled_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

#pragma once
// Second threads that cannot start or whose share fails, for the life of a test.
#include <functional>
#include <new>
#include <system_error>

#include "base/SecondThread.h"

class SecondThreadHook {
public:
    explicit SecondThreadHook(SecondThread::Hook hook) : previous_(SecondThread::SetHook(hook)) { }
    ~SecondThreadHook() { SecondThread::SetHook(previous_); }
    SecondThreadHook(const SecondThreadHook&) = delete;
    SecondThreadHook& operator=(const SecondThreadHook&) = delete;

    // The system gives no more threads: every share runs on its caller's thread.
    static std::function<void()> NoThread(const std::function<void()>&)
    {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
    // Every share runs out of memory on its thread.
    static std::function<void()> OutOfMemory(const std::function<void()>&)
    {
        return [] { throw std::bad_alloc(); };
    }

private:
    SecondThread::Hook previous_;
};

#include "base/SecondThread.h"

#include <atomic>
#include <utility>

namespace {

std::atomic<SecondThread::Hook> g_hook{nullptr};

} // namespace

SecondThread::SecondThread(std::function<void()> work) : work_(std::move(work))
{
    try {
        if (const Hook hook = g_hook.load())
            work_ = hook(work_);
        thread_ = std::thread([this] { Run(); });
        started_ = true;
    } catch (...) {
        // No thread to be had (the system's limit, or no memory for one): the work runs at the join.
    }
}

SecondThread::~SecondThread()
{
    if (thread_.joinable())
        thread_.join();
}

void SecondThread::Run() noexcept
{
    try {
        work_();
    } catch (...) {
        failure_ = std::current_exception();
    }
}

void SecondThread::Join()
{
    if (joined_)
        return;
    joined_ = true;
    if (thread_.joinable())
        thread_.join();
    else if (!started_)
        work_();
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

bool SecondThread::JoinSucceeded()
{
    try {
        Join();
        return true;
    } catch (...) {
        return false;
    }
}

bool SecondThread::Worthwhile()
{
    static const bool twoAtOnce = std::thread::hardware_concurrency() > 1;
    return twoAtOnce;
}

SecondThread::Hook SecondThread::SetHook(Hook hook)
{
    return g_hook.exchange(hook);
}

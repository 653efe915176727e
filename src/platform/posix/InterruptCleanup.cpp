#include "platform/TemporaryPaths.h"

#include <csignal>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <unistd.h>

void RemoveTemporaryPathsOnInterrupt()
{
    static std::once_flag once;
    std::call_once(once, [] {
        sigset_t signals;
        sigemptyset(&signals);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&signals, signal);
        // Threads started later inherit the mask: only the waiting thread below takes these signals, and it
        // may remove folders, which a signal handler may not.
        pthread_sigmask(SIG_BLOCK, &signals, nullptr);
        std::thread([signals] {
            int signal = 0;
            for (;;) {
                if (sigwait(&signals, &signal) != 0)
                    continue;
                if (auto handler = TemporaryPathsDetail::InterruptHandler())
                    handler(signal);
                else
                    break;
            }
            TemporaryPathsDetail::RemoveAllForExit();
            // Ended by the signal itself, so that a shell sees an interrupted run as one.
            std::signal(signal, SIG_DFL);
            pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
            std::raise(signal);
            _exit(128 + signal);
        }).detach();
    });
}

#pragma once
#include <string>

// Files and folders a run makes for itself (a work folder, a file written beside its target) and removes
// when it is done. They are noted here so that a run stopped by the user (Ctrl-C, SIGTERM, a closed console)
// removes them too instead of leaving them behind.
void AddTemporaryPath(const std::string& path);
void RemoveTemporaryPath(const std::string& path);

// From here on, an interrupt (SIGINT, SIGTERM or SIGHUP; Ctrl-C or a closed console on Windows) removes
// every noted path, then ends the process as the signal would have. On Linux call it before any thread is
// started: the signals are taken by a thread of its own, the others no longer see them.
void RemoveTemporaryPathsOnInterrupt();

// From here on an interrupt calls `handler` (with the signal's number; on the waiting thread, never inside a
// signal handler) instead of ending the process: a program that ends in order itself takes them so. Null
// gives the ending back.
void SetInterruptHandler(void (*handler)(int signal));

namespace TemporaryPathsDetail {
// Removes every noted path and keeps any more from being noted; for the interrupt handlers.
void RemoveAllForExit();
// The handler SetInterruptHandler gave, or null.
void (*InterruptHandler())(int);
} // namespace TemporaryPathsDetail

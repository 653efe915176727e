#include "platform/TemporaryPaths.h"

#include <windows.h>

namespace {

// Runs on a thread of the system's own; returning FALSE lets the default handler end the process.
BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (auto handler = TemporaryPathsDetail::InterruptHandler()) {
        handler(static_cast<int>(event));
        return TRUE;
    }
    TemporaryPathsDetail::RemoveAllForExit();
    return FALSE;
}

} // namespace

void RemoveTemporaryPathsOnInterrupt()
{
    static bool installed = false;
    if (!installed)
        installed = SetConsoleCtrlHandler(&OnConsoleControl, TRUE) != 0;
}

#include "media/MciCommands.h"
#include "media/posix/AvMediaSystem.h"
#include "platform/Clock.h"

IMciCommands& SystemMci()
{
    // Devices of a live show play in real time.
    static AvMediaSystem mci(SystemClock());
    return mci;
}

#include "live/LiveLibraries.h"

#include "platform/posix/SharedLibraries.h"

namespace {

const LoadedFunctionTable<LiveFunctions>& Loaded()
{
    // The sonames of the libraries the build found.
    static const auto loaded = LoadFunctionTable<LiveFunctions>(
        SharedLibraries::SonameList(QM_LIVE_SONAMES),
        [](const SharedLibraries& libraries, LiveFunctions& table, std::string& error) {
            QM_LIVE_FUNCTIONS(QM_FIND_FUNCTION)
            QM_FIND_FUNCTION(SDL_GetWindowWMInfo)
            return true;
        });
    return loaded;
}

} // namespace

const LiveFunctions* Live()
{
    return Loaded().functions.get();
}

const std::string& LiveLoadError()
{
    return Loaded().error;
}

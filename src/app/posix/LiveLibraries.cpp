#include "app/posix/LiveLibraries.h"

#include "platform/posix/SharedLibraries.h"

namespace {

const LoadedFunctionTable<LiveFunctions>& Loaded()
{
    static const LoadedFunctionTable<LiveFunctions> loaded = [] {
        LoadedFunctionTable<LiveFunctions> result;
        // The sonames of the libraries the build found.
        result.functions = LoadFunctionTable<LiveFunctions>(
            CSharedLibraries::SonameList(QM_LIVE_SONAMES), result.error,
            [](const CSharedLibraries& libraries, LiveFunctions& table, std::string& error) {
#define QM_LIVE_FIND(name)                                                                                             \
    if (!libraries.Find(#name, table.name, error))                                                                     \
        return false;
                QM_LIVE_FUNCTIONS(QM_LIVE_FIND)
                QM_LIVE_FIND(SDL_GetWindowWMInfo)
#undef QM_LIVE_FIND
                return true;
            });
        return result;
    }();
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

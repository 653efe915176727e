#include "posix/ConvertLibraries.h"

#include "PictureConvert.h"
#include "platform/posix/SharedLibraries.h"

const ConvertFunctions& Converters()
{
    static const LoadedFunctionTable<ConvertFunctions> loaded = [] {
        LoadedFunctionTable<ConvertFunctions> result;
        // The sonames of the libraries the build found.
        result.functions = LoadFunctionTable<ConvertFunctions>(
            CSharedLibraries::SonameList(QM_CONVERT_SONAMES), result.error,
            [](const CSharedLibraries& libraries, ConvertFunctions& table, std::string& error) {
#define QM_CONVERT_FIND(name)                                                                                          \
    if (!libraries.Find(#name, table.name, error))                                                                     \
        return false;
                QM_CONVERT_FUNCTIONS(QM_CONVERT_FIND)
#undef QM_CONVERT_FIND
                return true;
            });
        return result;
    }();
    if (!loaded.functions)
        throw ConvertError("the picture converters cannot be loaded: " + loaded.error);
    return *loaded.functions;
}

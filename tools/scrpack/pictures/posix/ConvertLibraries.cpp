#include "scrpack/pictures/posix/ConvertLibraries.h"

#include "platform/posix/SharedLibraries.h"
#include "scrpack/pictures/PictureConvert.h"

const ConvertFunctions& Converters()
{
    // The sonames of the libraries the build found.
    static const auto loaded = LoadFunctionTable<ConvertFunctions>(
        SharedLibraries::SonameList(QM_CONVERT_SONAMES),
        [](const SharedLibraries& libraries, ConvertFunctions& table, std::string& error) {
            QM_CONVERT_FUNCTIONS(QM_FIND_FUNCTION)
            return true;
        });
    if (!loaded.functions)
        throw ConvertError("the picture converters cannot be loaded: " + loaded.error);
    return *loaded.functions;
}

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

const ColourFunctions& ColourLibrary()
{
    static const auto loaded = LoadFunctionTable<ColourFunctions>(
        SharedLibraries::SonameList(QM_COLOUR_SONAMES),
        [](const SharedLibraries& libraries, ColourFunctions& table, std::string& error) {
            QM_COLOUR_FUNCTIONS(QM_FIND_FUNCTION)
            return true;
        });
    if (!loaded.functions)
        throw ConvertError("the colour management library cannot be loaded: " + loaded.error);
    return *loaded.functions;
}

const SvgFunctions& SvgLibrary()
{
    static const auto loaded =
        LoadFunctionTable<SvgFunctions>(SharedLibraries::SonameList(QM_SVG_SONAMES),
                                        [](const SharedLibraries& libraries, SvgFunctions& table, std::string& error) {
                                            QM_SVG_FUNCTIONS(QM_FIND_FUNCTION)
                                            return true;
                                        });
    if (!loaded.functions)
        throw ConvertError("the SVG library cannot be loaded: " + loaded.error);
    return *loaded.functions;
}

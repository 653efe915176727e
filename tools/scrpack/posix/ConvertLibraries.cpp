#include "posix/ConvertLibraries.h"

#include "PictureConvert.h"
#include "platform/posix/SharedLibraries.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct LoadedConverters {
    std::unique_ptr<ConvertFunctions> functions;
    std::string error;
};

LoadedConverters Load()
{
    LoadedConverters loaded;
    // The sonames of the libraries the build found, comma-separated.
    std::vector<std::string> sonames;
    std::istringstream names(QM_CONVERT_SONAMES);
    for (std::string name; std::getline(names, name, ',');)
        sonames.push_back(name);
    CSharedLibraries libraries;
    if (!libraries.Open(sonames, loaded.error))
        return loaded;
    auto functions = std::make_unique<ConvertFunctions>();
#define QM_CONVERT_FIND(name)                                                                                          \
    if (!libraries.Find(#name, functions->name, loaded.error))                                                         \
        return loaded;
    QM_CONVERT_FUNCTIONS(QM_CONVERT_FIND)
#undef QM_CONVERT_FIND
    loaded.functions = std::move(functions);
    return loaded;
}

} // namespace

const ConvertFunctions& Converters()
{
    static const LoadedConverters loaded = Load();
    if (!loaded.functions)
        throw ConvertError("the picture converters cannot be loaded: " + loaded.error);
    return *loaded.functions;
}

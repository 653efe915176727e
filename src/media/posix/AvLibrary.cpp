#include "media/posix/AvLibrary.h"

#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "platform/posix/SharedLibraries.h"

#define QM_AV_TEXT(x) #x
#define QM_AV_SONAME(library, major) std::string("lib" library ".so.") + QM_AV_TEXT(major)

namespace {

const LoadedFunctionTable<AvFunctions>& Loaded()
{
    static const LoadedFunctionTable<AvFunctions> loaded = [] {
        LoadedFunctionTable<AvFunctions> result;
        result.functions = LoadAvFunctions(AvSonames(), result.error);
        if (result.functions)
            result.functions->av_log_set_level(AV_LOG_QUIET);
        else
            LogFfmpegMissing(DiagnosticLog::Instance(), result.error);
        return result;
    }();
    return loaded;
}

} // namespace

std::vector<std::string> AvSonames()
{
    return {QM_AV_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR), QM_AV_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR),
            QM_AV_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR), QM_AV_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR),
            QM_AV_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR)};
}

std::unique_ptr<const AvFunctions> LoadAvFunctions(const std::vector<std::string>& sonames, std::string& error)
{
    return LoadFunctionTable<AvFunctions>(sonames, error,
                                          [](const SharedLibraries& libraries, AvFunctions& table, std::string& error) {
                                              QM_AV_FUNCTIONS(QM_FIND_FUNCTION)
                                              return true;
                                          });
}

const AvFunctions* Av()
{
    return Loaded().functions.get();
}

const std::string& AvLoadError()
{
    return Loaded().error;
}

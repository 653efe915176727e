#include "platform/DiagnosticLog.h"

#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Process.h"

#include <cstdarg>
#include <cstring>

namespace {
const char kBegin[] = "----------------------------Begin-----------------------------";
const char kEnd[] = "----------------------------End-------------------------------";
const size_t kMaxTag = 39;
const size_t kMessageBuffer = 1024;
} // namespace

DiagnosticLog::DiagnosticLog(const std::string& programPath)
{
    size_t cut = std::string::npos;
    for (size_t i = programPath.size(); i-- > 0;) {
        if (IsPathSeparator(programPath[i])) {
            cut = i;
            break;
        }
    }
    if (cut == std::string::npos)
        return;
    std::string logPath = programPath.substr(0, cut + 1) + "kado.log";
    // The log never creates its file: only an existing one switches it on.
    if (!FileExists(logPath) || IsDirectory(logPath))
        return;
    stream_ = std::fopen(logPath.c_str(), "a");
    if (!stream_)
        return;
    std::fseek(stream_, 0, SEEK_END);
    WriteLine(kBegin);
}

DiagnosticLog::~DiagnosticLog()
{
    if (!stream_)
        return;
    WriteLine(kEnd);
    std::fclose(stream_);
}

bool DiagnosticLog::WriteTo(const std::string& path)
{
    if (stream_) {
        WriteLine(kEnd);
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (IsDirectory(path))
        return false;
    stream_ = std::fopen(path.c_str(), "a");
    if (!stream_)
        return false;
    WriteLine(kBegin);
    return true;
}

DiagnosticLog& DiagnosticLog::Instance()
{
    static DiagnosticLog log(ModuleFilePath());
    return log;
}

void DiagnosticLog::WriteLine(const char* text)
{
    // Text and line feed in one stream operation, so that the other thread's entries cannot split them.
    char line[kMessageBuffer + 1];
    size_t n = std::strlen(text);
    if (n > kMessageBuffer - 1)
        n = kMessageBuffer - 1;
    std::memcpy(line, text, n);
    line[n] = '\n';
    std::fwrite(line, 1, n + 1, stream_);
    std::fflush(stream_);
}

void DiagnosticLog::WritePrefix(const char* source, int line)
{
    if (!stream_ || !source)
        return;
    const char* slash = std::strrchr(source, '\\');
    if (!slash)
        return;
    char tag[kMaxTag + 1];
    std::strncpy(tag, slash + 1, kMaxTag);
    tag[kMaxTag] = '\0';
    IClock& clock = clock_ ? *clock_ : SystemClock();
    std::fprintf(stream_, "(%d)[%s,(%d)] : ", static_cast<int>(clock.TickCount()), tag, line);
}

void DiagnosticLog::WriteMessage(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    WriteMessageV(format, args);
    va_end(args);
}

void DiagnosticLog::WriteMessageV(const char* format, va_list args)
{
    if (!stream_ || !format)
        return;
    char text[kMessageBuffer];
    int n = std::vsnprintf(text, sizeof text, format, args);
    if (n <= 0)
        return;
    WriteLine(text);
}

void DiagnosticLog::Entry(const char* source, int line, const char* format, ...)
{
    if (!stream_)
        return;
    WritePrefix(source, line);
    va_list args;
    va_start(args, format);
    WriteMessageV(format, args);
    va_end(args);
}

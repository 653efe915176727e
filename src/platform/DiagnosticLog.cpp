#include "platform/DiagnosticLog.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/Process.h"

#include <cstdarg>
#include <cstring>
#include <string>

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

void DiagnosticLog::WriteLine(std::string_view text)
{
    // Text and line feed in one stream operation, so that the other thread's entries cannot split them.
    std::string line;
    line.reserve(text.size() + 1);
    line.append(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stream_);
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
    WriteMessageV(format, args, true);
    va_end(args);
}

void DiagnosticLog::WriteMessageV(const char* format, va_list args, bool ansiText)
{
    if (!stream_ || !format)
        return;
    // At most 1023 bytes, cut before the text is converted, so that both logs cut a message at the same
    // character.
    char text[kMessageBuffer];
    int n = std::vsnprintf(text, sizeof text, format, args);
    if (n <= 0)
        return;
    if (ansiText)
        WriteLine(AnsiToSystemText(text));
    else
        WriteLine(text);
}

void DiagnosticLog::EntryV(const char* source, int line, const char* format, va_list args, bool ansiText)
{
    if (!stream_)
        return;
    WritePrefix(source, line);
    WriteMessageV(format, args, ansiText);
}

void DiagnosticLog::Entry(const char* source, int line, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    EntryV(source, line, format, args, true);
    va_end(args);
}

void DiagnosticLog::SystemEntry(const char* source, int line, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    EntryV(source, line, format, args, false);
    va_end(args);
}

#pragma once
#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

class IClock;

// The diagnostic log: on only when a file "kado.log" already exists beside the program. Entries are written
// in two calls (prefix, then message) and flushed at once so that a log survives a crash. No lock: entries
// of two threads may interleave between prefix and message.
class DiagnosticLog {
public:
    // Looks for "kado.log" beside programPath; stays off when it is not there.
    explicit DiagnosticLog(const std::string& programPath);
    ~DiagnosticLog();
    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;

    // The process's log, beside the running program.
    static DiagnosticLog& Instance();
    // Writes the log to path from now on, creating the file when it is missing (a file the user named, not
    // the one beside the program). False when it cannot be opened; the log is then off.
    bool WriteTo(const std::string& path);

    bool IsOn() const { return stream_ != nullptr; }

    // One entry: "(tick)[tag,(line)] : " and the formatted message, where tag is the part of source after
    // its last backslash ("..\\ScreensaverDlg"). The message is text of the runtime, in its ANSI code page:
    // the Linux log writes it as UTF-8, the Windows log as it is. Does nothing while the log is off. The
    // lines the program writes are named in platform/LogLines.h.
    void Entry(const char* source, int line, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;
    // An entry whose message is in the system's own encoding already (a path the system handed over, a
    // system error): written as it is.
    void SystemEntry(const char* source, int line, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;

    // The entry's two writes. Entries of two threads may interleave between them.
    void WritePrefix(const char* source, int line);
    void WriteMessage(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // The tick count printed in prefixes comes from this clock (the system clock unless set).
    void SetClock(IClock* clock)
    {
        clock_ = clock;
    }

private:
    void EntryV(const char* source, int line, const char* format, va_list args, bool ansiText);
    void WriteMessageV(const char* format, va_list args, bool ansiText);
    void WriteLine(std::string_view text);

    std::FILE* stream_ = nullptr;
    IClock* clock_ = nullptr;
};

#pragma once
#include <cstdio>
#include <string>

class IClock;

// The diagnostic log: on only when a file "kado.log" already exists beside the program. Entries are written
// in two calls (prefix, then message) and flushed at once so that a log survives a crash. No lock: entries
// of two threads may interleave between prefix and message.
class CLog {
public:
    // Looks for "kado.log" beside programPath; stays off when it is not there.
    explicit CLog(const std::string& programPath);
    ~CLog();
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    // The process's log, beside the running program.
    static CLog& Instance();

    bool IsOn() const { return stream_ != nullptr; }

    // "(tick)[tag,(line)] : " where tag is the part of source after its last backslash.
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
    void WriteLine(const char* text);

    std::FILE* stream_ = nullptr;
    IClock* clock_ = nullptr;
};

// One log entry from a source tag such as ".\\ScreensaverDlg", with the call site's line number.
#define KADO_LOG(source, ...)                                                                                          \
    do {                                                                                                               \
        CLog& kadoLog_ = CLog::Instance();                                                                             \
        if (kadoLog_.IsOn()) {                                                                                         \
            kadoLog_.WritePrefix(source, __LINE__);                                                                    \
            kadoLog_.WriteMessage(__VA_ARGS__);                                                                        \
        }                                                                                                              \
    } while (0)

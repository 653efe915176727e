#include "platform/SystemError.h"

#include <windows.h>

std::string LastSystemErrorText()
{
    const DWORD code = GetLastError();
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    // The system's text ends with a full stop and a line break.
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.'))
        --length;
    return length ? std::string(text, length) : "system error " + std::to_string(code);
}

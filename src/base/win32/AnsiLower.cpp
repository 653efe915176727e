#include <windows.h>

#include <vector>

#include "base/TextCase.h"

// Through UTF-16, so that the trail bytes of double-byte characters are never taken for letters.
std::string LowerAnsi(const std::string& text)
{
    if (text.empty())
        return text;
    int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0)
        return text;
    std::vector<wchar_t> buffer(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), buffer.data(), wide);
    CharLowerBuffW(buffer.data(), static_cast<DWORD>(wide));
    int narrow = WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0)
        return text;
    std::string lower(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, lower.data(), narrow, nullptr, nullptr);
    return lower;
}

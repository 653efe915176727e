#include <windows.h>

#include "platform/CodePage.h"

#include <climits>

namespace {

std::optional<std::wstring> Widen(std::string_view bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    if (bytes.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(bytes.size());
    const int wide = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (wide <= 0)
        return std::nullopt;
    std::wstring out(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, out.data(), wide);
    return out;
}

// Narrows wide text exactly: no best-fit look-alikes and no default character.
std::optional<std::string> Narrow(std::wstring_view wide, UINT codePage)
{
    if (wide.empty())
        return std::string();
    const int length = static_cast<int>(wide.size());
    const bool utf8 = codePage == CP_UTF8;
    BOOL usedDefault = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, utf8 ? nullptr : &usedDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

} // namespace

std::optional<std::string> Utf8ToCodePage(std::string_view utf8, int codePage, std::string* offending)
{
    if (auto wide = Widen(utf8, CP_UTF8)) {
        if (auto narrow = Narrow(*wide, static_cast<UINT>(codePage)))
            return narrow;
    }
    if (offending) {
        // The first character that does not convert alone.
        offending->clear();
        for (size_t pos = 0; pos < utf8.size();) {
            const std::string_view c = Utf8CharAt(utf8, pos);
            auto wide = Widen(c, CP_UTF8);
            if (!wide || !Narrow(*wide, static_cast<UINT>(codePage))) {
                *offending = std::string(c);
                break;
            }
            pos += c.size();
        }
    }
    return std::nullopt;
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, int codePage)
{
    auto wide = Widen(bytes, static_cast<UINT>(codePage));
    if (!wide)
        return std::nullopt;
    return Narrow(*wide, CP_UTF8);
}

std::string AnsiToSystemText(std::string_view ansi)
{
    // Windows keeps its text files in the ANSI code page.
    return std::string(ansi);
}

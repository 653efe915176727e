#include "platform/CodePage.h"

bool IsAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string_view Utf8CharAt(std::string_view text, size_t pos)
{
    if (pos >= text.size())
        return {};
    const auto c = static_cast<unsigned char>(text[pos]);
    size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (length > text.size() - pos)
        length = 1;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return text.substr(pos, 1);
    }
    return text.substr(pos, length);
}

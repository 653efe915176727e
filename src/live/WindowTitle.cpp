#include "live/WindowTitle.h"

#include <cstdint>

namespace {

// 0x80 to 0x9F in Windows-1252; 0 where the code page defines nothing. The rest is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string WindowTitleUtf8(std::string_view windows1252)
{
    std::string out;
    for (const char byte : windows1252) {
        const auto b = static_cast<unsigned char>(byte);
        if (b >= 0x80 && b < 0xA0)
            AppendUtf8(out, kHighControls[b - 0x80] ? kHighControls[b - 0x80] : 0xFFFD);
        else
            AppendUtf8(out, b);
    }
    return out;
}

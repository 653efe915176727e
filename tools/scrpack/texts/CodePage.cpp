#include "scrpack/texts/CodePage.h"

#include <cstdint>
#include <cstdio>

int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 77: return 10000; // MAC_CHARSET
    case 128: return 932;  // SHIFTJIS_CHARSET
    case 129: return 949;  // HANGEUL_CHARSET
    case 130: return 1361; // JOHAB_CHARSET
    case 134: return 936;  // GB2312_CHARSET
    case 136: return 950;  // CHINESEBIG5_CHARSET
    case 161: return 1253; // GREEK_CHARSET
    case 162: return 1254; // TURKISH_CHARSET
    case 163: return 1258; // VIETNAMESE_CHARSET
    case 177: return 1255; // HEBREW_CHARSET
    case 178: return 1256; // ARABIC_CHARSET
    case 186: return 1257; // BALTIC_CHARSET
    case 204: return 1251; // RUSSIAN_CHARSET
    case 222: return 874;  // THAI_CHARSET
    case 238: return 1250; // EASTEUROPE_CHARSET
    case 255: return 437;  // OEM_CHARSET
    default: return 1252;
    }
}

std::string CodePointName(std::string_view utf8)
{
    const std::string_view c = Utf8CharAt(utf8, 0);
    if (c.empty())
        return "nothing";
    uint32_t value = static_cast<unsigned char>(c[0]);
    if (c.size() > 1) {
        value &= 0x7Fu >> c.size();
        for (size_t i = 1; i < c.size(); ++i)
            value = value << 6 | (static_cast<unsigned char>(c[i]) & 0x3Fu);
    } else if (value >= 0x80) {
        char text[16];
        std::snprintf(text, sizeof text, "byte 0x%02X", value);
        return text;
    }
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", value);
    return text;
}

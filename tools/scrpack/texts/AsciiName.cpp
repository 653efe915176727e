#include "scrpack/texts/AsciiName.h"

#include "scrpack/texts/CodePage.h"

#include <cstdint>
#include <cstring>

namespace {

// U+00C0 to U+017F without their marks, one letter each; '*' marks the few that take two (below) and '\0'
// those that are no letter.
constexpr char kLatin[] = "AAAAAA*CEEEEIIIIDNOOOOO\0OUUUUY**aaaaaa*ceeeeiiiidnooooo\0ouuuuy*y"
                          "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi**JjKkkLlLlLlLlLlNnNnNnnNn"
                          "OoOoOo**RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

const char* TwoLetters(uint32_t c)
{
    switch (c) {
    case 0xC6: return "AE";
    case 0xDE: return "Th";
    case 0xDF: return "ss";
    case 0xE6: return "ae";
    case 0xFE: return "th";
    case 0x132: return "IJ";
    case 0x133: return "ij";
    case 0x152: return "OE";
    case 0x153: return "oe";
    default: return "";
    }
}

uint32_t CodePoint(std::string_view c)
{
    uint32_t value = static_cast<unsigned char>(c[0]);
    if (c.size() > 1) {
        value &= 0x7Fu >> c.size();
        for (size_t i = 1; i < c.size(); ++i)
            value = value << 6 | (static_cast<unsigned char>(c[i]) & 0x3Fu);
    }
    return value;
}

std::string AsciiOf(std::string_view utf8)
{
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) {
        const std::string_view c = Utf8CharAt(utf8, pos);
        pos += c.size();
        const uint32_t value = c.size() > 1 ? CodePoint(c) : static_cast<unsigned char>(c[0]);
        if (value >= 0x20 && value < 0x7F) {
            if (!std::strchr("<>:\"/\\|?*", static_cast<int>(value)) &&
                !(value == ' ' && (out.empty() || out.back() == ' ')))
                out += static_cast<char>(value);
        } else if (value >= 0xC0 && value <= 0x17F && c.size() > 1) {
            const char letter = kLatin[value - 0xC0];
            out += letter == '*' ? TwoLetters(value) : letter ? std::string(1, letter) : "";
        } else if (value == 0xA0 || value == 0x3000) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        }
    }
    return out;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    const size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? "" : text.substr(start);
}

} // namespace

std::string AsciiFileName(std::string_view utf8Name)
{
    const size_t dot = utf8Name.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > 0;
    const std::string stem = Trimmed(AsciiOf(hasExtension ? utf8Name.substr(0, dot) : utf8Name));
    if (stem.empty())
        return "";
    return stem + (hasExtension ? AsciiOf(utf8Name.substr(dot)) : "");
}

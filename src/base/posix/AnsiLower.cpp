#include "base/TextCase.h"

// Stored names are in the Windows code page the runtime reads them in; Linux lower-cases them as Windows
// does for code page 1252, so that "CAFÉ.JPG" finds "café.jpg" in both builds.
std::string LowerAnsi(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower) {
        const unsigned char b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            c = static_cast<char>(b + 0x20);
        else if (b == 0x8A || b == 0x8C || b == 0x8E) // Š Œ Ž
            c = static_cast<char>(b + 0x10);
        else if (b == 0x9F) // Ÿ
            c = static_cast<char>(0xFF);
    }
    return lower;
}

#include "scrpack/texts/CharsetChoice.h"

#include "scrpack/texts/CodePage.h"

namespace {

struct Charset {
    int value;
    const char* name;
};

// In the order they are tried: Western first, then the other alphabets, then the large East Asian sets that
// would hold a Latin text too but draw it in another style of letter.
constexpr Charset kCharsets[] = {
    {0, "Western"},
    {238, "Central European"},
    {162, "Turkish"},
    {186, "Baltic"},
    {204, "Cyrillic"},
    {161, "Greek"},
    {177, "Hebrew"},
    {178, "Arabic"},
    {222, "Thai"},
    {128, "Japanese"},
    {134, "Simplified Chinese"},
    {129, "Korean"},
    {136, "Traditional Chinese"},
};

bool Holds(int charset, std::string_view character)
{
    return Utf8ToCodePage(character, CodePageOfCharset(charset)).has_value();
}

} // namespace

std::optional<int> CharsetHolding(std::string_view utf8)
{
    for (const Charset& charset : kCharsets) {
        if (IsAscii(utf8) || Utf8ToCodePage(utf8, CodePageOfCharset(charset.value)))
            return charset.value;
    }
    return std::nullopt;
}

int CharsetHoldingMost(std::string_view utf8, std::string& held)
{
    int best = 0;
    size_t bestCount = 0;
    bool first = true;
    for (const Charset& charset : kCharsets) {
        size_t count = 0;
        for (size_t pos = 0; pos < utf8.size();) {
            const std::string_view c = Utf8CharAt(utf8, pos);
            count += Holds(charset.value, c) ? 1 : 0;
            pos += c.size();
        }
        if (first || count > bestCount) {
            best = charset.value;
            bestCount = count;
            first = false;
        }
    }
    held.clear();
    for (size_t pos = 0; pos < utf8.size();) {
        const std::string_view c = Utf8CharAt(utf8, pos);
        held += Holds(best, c) ? std::string(c) : std::string("?");
        pos += c.size();
    }
    return best;
}

std::string CharsetName(int charset)
{
    for (const Charset& c : kCharsets) {
        if (c.value == charset)
            return std::string(c.name) + " (" + std::to_string(charset) + ")";
    }
    return std::to_string(charset);
}

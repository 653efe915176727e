#include "config/LinkTarget.h"
#include "base/TextCase.h"

#include "model/TableFields.h"

#include <algorithm>

namespace {

// Characters a browser's or mail program's command line could read as the end of the address (a quote
// closing the argument, a space starting the next one) travel percent-encoded, as in any URL.
std::string EncodeBreakingCharacters(const std::string& value)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == ' ' || c == '"' || c == '<' || c == '>' || c == '`' || c == '^' || c == '|' || u == 0x7F) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::optional<std::string> SafeLinkTarget(const std::string& value)
{
    if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return std::nullopt;
    const std::string lower = ToLowerAscii(value);
    const auto startsWith = [&](const char* prefix) { return lower.rfind(prefix, 0) == 0; };
    if ((startsWith("http://") || startsWith("https://")) && lower.size() > lower.find("//") + 2)
        return EncodeBreakingCharacters(value);
    if (startsWith("mailto:"))
        return EncodeBreakingCharacters(value);
    if (startsWith("www.") && lower.size() > 4)
        return "http://" + EncodeBreakingCharacters(value);
    return std::nullopt;
}

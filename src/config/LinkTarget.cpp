#include "config/LinkTarget.h"
#include "base/TextCase.h"

#include "model/TableFields.h"

#include <algorithm>

std::optional<std::string> SafeLinkTarget(const std::string& value)
{
    if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return std::nullopt;
    const std::string lower = ToLowerAscii(value);
    const auto startsWith = [&](const char* prefix) { return lower.rfind(prefix, 0) == 0; };
    if ((startsWith("http://") || startsWith("https://")) && lower.size() > lower.find("//") + 2)
        return value;
    if (startsWith("mailto:"))
        return value;
    if (startsWith("www.") && lower.size() > 4)
        return "http://" + value;
    return std::nullopt;
}

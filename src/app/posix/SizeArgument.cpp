#include "app/posix/SizeArgument.h"

#include <charconv>

bool ParseSizeArgument(const std::string& text, int& width, int& height)
{
    const char* const end = text.data() + text.size();
    int w = 0, h = 0;
    auto [afterWidth, widthError] = std::from_chars(text.data(), end, w);
    if (widthError != std::errc() || afterWidth == end || (*afterWidth != 'x' && *afterWidth != 'X'))
        return false;
    auto [afterHeight, heightError] = std::from_chars(afterWidth + 1, end, h);
    if (heightError != std::errc() || afterHeight != end)
        return false;
    width = w;
    height = h;
    return true;
}

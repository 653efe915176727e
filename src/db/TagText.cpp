#include "db/TagText.h"

#include <cstring>

std::string_view TextUpToZero(const void* data, std::size_t size)
{
    if (size == 0)
        return {};
    const auto* text = static_cast<const char*>(data);
    const void* zero = std::memchr(text, 0, size);
    return {text, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : size};
}

std::optional<std::string_view> TextBetween(std::string_view text, std::string_view open, std::string_view close)
{
    std::size_t begin = text.find(open);
    if (begin == std::string_view::npos)
        return std::nullopt;
    begin += open.size();
    std::size_t end = text.find(close, begin);
    if (end == std::string_view::npos)
        return std::nullopt;
    return text.substr(begin, end - begin);
}

std::vector<std::string_view> SplitList(std::string_view list)
{
    std::vector<std::string_view> pieces;
    for (;;) {
        std::size_t comma = list.find(',');
        if (comma == std::string_view::npos) {
            pieces.push_back(list);
            return pieces;
        }
        pieces.push_back(list.substr(0, comma));
        list.remove_prefix(comma + 1);
    }
}

std::optional<std::int64_t> ParseNumber(std::string_view piece)
{
    std::size_t i = 0;
    while (i < piece.size() && (piece[i] == ' ' || piece[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '-' || piece[i] == '+'))
        negative = piece[i++] == '-';
    std::size_t digits = 0;
    std::int64_t value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i, ++digits) {
        if (digits == 12)
            return std::nullopt;
        value = value * 10 + (piece[i] - '0');
    }
    if (digits == 0 || i != piece.size())
        return std::nullopt;
    return negative ? -value : value;
}

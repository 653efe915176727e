#include "model/IndexList.h"

#include "model/Random.h"

#include <charconv>
#include <cstdint>

namespace {

bool ParsePiece(std::string_view piece, int& value)
{
    size_t i = 0;
    while (i < piece.size() && (piece[i] == ' ' || piece[i] == '\t'))
        ++i;
    piece.remove_prefix(i);
    if (piece.empty())
        return false;
    int32_t parsed = 0;
    auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), parsed);
    if (ec != std::errc() || end == piece.data())
        return false;
    value = parsed;
    return true;
}

} // namespace

std::vector<int> ParseIndexList(std::string_view text)
{
    std::vector<int> values;
    size_t start = 0;
    for (;;) {
        size_t semi = text.find(';', start);
        if (semi == std::string_view::npos)
            break;
        int value = 0;
        if (ParsePiece(text.substr(start, semi - start), value))
            values.push_back(value);
        start = semi + 1;
    }
    return values;
}

std::string FormatIndexList(const std::vector<int>& values)
{
    std::string text;
    for (int v : values) {
        text += std::to_string(v);
        text += ';';
    }
    return text;
}

int PickFromIndexList(const std::vector<int>& values, bool random, int& position, IRandom& rng)
{
    if (values.empty())
        return -1;
    const int count = static_cast<int>(values.size());
    if (random) {
        position = static_cast<int>(static_cast<unsigned>(rng.Next()) % static_cast<unsigned>(count));
    } else {
        // -1 starts at the first entry; so does a position left over from a longer list.
        position = (position < 0 || position + 1 >= count) ? 0 : position + 1;
    }
    return values[static_cast<size_t>(position)];
}

int PickFromIndexList(std::string_view text, bool random, int& position, IRandom& rng)
{
    return PickFromIndexList(ParseIndexList(text), random, position, rng);
}

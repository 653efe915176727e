#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The tagged text of the database header and table heads. Tags are found by plain substring search.

// The text from the buffer's start up to its first zero byte.
std::string_view TextUpToZero(const void* data, std::size_t size);
// The text between the first open tag and the next close tag after it; none when either is missing.
std::optional<std::string_view> TextBetween(std::string_view text, std::string_view open, std::string_view close);
// The list with "," appended, cut at each ",": "a,b" gives "a" and "b", "" gives one empty piece.
std::vector<std::string_view> SplitList(std::string_view list);
// A decimal integer after leading blanks, with an optional sign; none when the piece holds anything else
// or more digits than any stored number can have.
std::optional<std::int64_t> ParseNumber(std::string_view piece);

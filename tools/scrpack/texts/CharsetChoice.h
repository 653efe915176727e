#pragma once
#include <optional>
#include <string>
#include <string_view>

// The font character sets a title or description may be stored in: those whose code page both runtimes draw.

// The first of them (Western first) whose code page holds every character of the UTF-8 text; nothing when none.
std::optional<int> CharsetHolding(std::string_view utf8);
// The one that holds the most characters of the text (Western on a tie); `held` gets the text with the others
// replaced by '?'.
int CharsetHoldingMost(std::string_view utf8, std::string& held);
// "Cyrillic (204)", for messages.
std::string CharsetName(int charset);

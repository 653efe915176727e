#pragma once
#include <string>
#include <string_view>
#include <vector>

class IRandom;

// Lists of numbers written as "0;1;2;": effect lists, gradient lists and background lists.
// Each number is followed by ";" and may have blanks before it; text after the last ";" is ignored,
// and a piece that holds no number adds nothing.
std::vector<int> ParseIndexList(std::string_view text);

// The text form of a list, each number followed by ";".
std::string FormatIndexList(const std::vector<int>& values);

// Picks one entry of a list, in turn or at random. `position` is remembered by the caller between picks
// (-1 before the first). Returns -1 and leaves the position alone for an empty list.
int PickFromIndexList(const std::vector<int>& values, bool random, int& position, IRandom& rng);
int PickFromIndexList(std::string_view text, bool random, int& position, IRandom& rng);

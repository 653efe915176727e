#pragma once
#include <string>
#include <vector>

// The candidate a mistyped word most likely meant, ignoring case, blanks and '-' for '_': one within a third of
// the word's length of single-character edits (at least two). "" when none is that close.
std::string ClosestWord(const std::string& word, const std::vector<std::string>& candidates);

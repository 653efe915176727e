#pragma once
#include <string>

// Reads a size argument "WIDTHxHEIGHT" (decimal, as 1280x720; an upper-case X too). False for anything else, a
// number too large for int included; the range each command accepts is its own to check.
bool ParseSizeArgument(const std::string& text, int& width, int& height);

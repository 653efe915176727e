#pragma once
#include <string>
#include <string_view>

// A name that every runtime opens whatever its system's code page: Latin letters with marks become plain
// letters ("Château" Chateau, "ß" ss, "æ" ae), characters Windows forbids in file names and everything else
// outside printable ASCII are dropped, and runs of blanks become one. The extension is kept; "" when nothing of
// the name before it is left.
std::string AsciiFileName(std::string_view utf8Name);

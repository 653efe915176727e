#pragma once
#include <string>
#include <string_view>

#include "platform/CodePage.h"

// The runtime reads stored texts as narrow strings in a Windows code page: a title or description in the
// code page of its font's character set, everything else in Windows-1252. The manifest is UTF-8, so
// texts are converted on the way in and back on the way out.

// The Windows code page of a LOGFONT character set; 1252 for ANSI, DEFAULT, SYMBOL and unknown sets.
int CodePageOfCharset(int charset);

// "U+20AC" for the first character of a UTF-8 text.
std::string CodePointName(std::string_view utf8);

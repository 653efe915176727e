#pragma once
#include <optional>
#include <string>
#include <string_view>

// The runtime reads stored texts as narrow strings in a Windows code page: a title or description in the
// code page of its font's character set, everything else in Windows-1252. The manifest is UTF-8, so
// texts are converted on the way in and back on the way out.

// Windows-1252, in which every text but titles and descriptions is stored.
constexpr int kAnsiCodePage = 1252;

// The Windows code page of a LOGFONT character set; 1252 for ANSI, DEFAULT, SYMBOL and unknown sets.
int CodePageOfCharset(int charset);

// A text in the code page; nothing when a character has no place in it, and then `offending` holds that
// character (as UTF-8). Malformed UTF-8 fails the same way, with the bytes that are not a character.
std::optional<std::string> Utf8ToCodePage(std::string_view utf8, int codePage, std::string* offending = nullptr);
// The UTF-8 of a text stored in the code page; nothing for bytes the code page does not define.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, int codePage);

// "U+20AC" for the first character of a UTF-8 text.
std::string CodePointName(std::string_view utf8);

// Whether every byte is 7-bit ASCII (the same text in every code page a runtime uses).
bool IsAscii(std::string_view text);
// The first character of a UTF-8 text at pos (one byte when malformed).
std::string_view Utf8CharAt(std::string_view text, size_t pos);

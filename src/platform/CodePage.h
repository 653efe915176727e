#pragma once
#include <optional>
#include <string>
#include <string_view>

// Texts inside the runtime (stored names, paths made from them, the log's messages) are narrow strings in
// a Windows code page, as the Windows program reads them. Conversions to and from UTF-8, for the places
// where the Linux side meets its own UTF-8 world.

// Windows-1252, the runtime's ANSI code page: every stored text but titles and descriptions is in it.
constexpr int kAnsiCodePage = 1252;

// A text in the code page; nothing when a character has no place in it, and then `offending` holds that
// character (as UTF-8). Malformed UTF-8 fails the same way, with the bytes that are not a character.
std::optional<std::string> Utf8ToCodePage(std::string_view utf8, int codePage, std::string* offending = nullptr);
// The UTF-8 of a text stored in the code page; nothing for bytes the code page does not define.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, int codePage);

// A text in the ANSI code page as the system's own text files hold it: the same bytes on Windows, UTF-8 on
// Linux. Never fails: a byte the code page leaves undefined becomes the control character of the same
// number, as Windows converts it.
std::string AnsiToSystemText(std::string_view ansi);

// Whether every byte is 7-bit ASCII (the same text in every code page a runtime uses).
bool IsAscii(std::string_view text);
// The first character of a UTF-8 text at pos (one byte when malformed).
std::string_view Utf8CharAt(std::string_view text, size_t pos);

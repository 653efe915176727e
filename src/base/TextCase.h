#pragma once
#include <string>

// Names compare case-insensitively by lower-casing both sides. ASCII letters only: bytes of multibyte
// characters are never touched.
std::string ToLowerAscii(std::string text);

// Lower-cases a name in the system's ANSI code page (multibyte characters stay whole).
std::string LowerAnsi(const std::string& text);

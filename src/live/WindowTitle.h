#pragma once
#include <string>
#include <string_view>

// A window title for the desktop, in UTF-8 (SDL gives it to X as _NET_WM_NAME and WM_NAME), from a project's
// name as it is stored: Windows-1252. The five bytes that code page leaves undefined become U+FFFD.
std::string WindowTitleUtf8(std::string_view windows1252);

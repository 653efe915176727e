#pragma once
#include <string>

// Facts about the running program that several subsystems need.

// Full path of the program file ("" when it cannot be found).
std::string ModuleFilePath();

// True when the path names the platform's directory separator ('\\'; on POSIX '/' as well).
inline bool IsPathSeparator(char c)
{
#ifdef _WIN32
    return c == '\\';
#else
    return c == '\\' || c == '/';
#endif
}

#pragma once
#include <string>

// Facts about the running program that several subsystems need.

// Full path of the program file ("" when it cannot be found).
std::string ModuleFilePath();

// True for a directory separator: the backslash, and the slash, which Windows' file calls take as one
// too (so a stored name with slashes cannot pass for a bare file name there).
inline bool IsPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

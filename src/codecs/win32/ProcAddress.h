#pragma once
#include <windows.h>

#include <cstring>

// A library export as the function type it really has (null when missing).
template <typename Function> Function ProcAddress(HMODULE module, const char* name)
{
    FARPROC proc = GetProcAddress(module, name);
    Function function;
    static_assert(sizeof function == sizeof proc);
    std::memcpy(&function, &proc, sizeof function);
    return function;
}

#pragma once
#include "slides/StartMode.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The screen-saver protocol's command line: the one-shot commands on the first argument, the start mode
// and window handle from the raw line.

enum class OneShotCommand {
    None,
    SetDefault,     // "/setdef"
    Install,        // "/ins"
    ChangePassword, // a first argument whose upper-cased text contains "/A"
};

// Which one-shot command the first argument asks for (null or absent: none).
OneShotCommand ClassifyFirstArgument(const char* firstArgument);

// A decimal number as the C library's atoi reads it: leading white space, an optional sign, the leading
// digits (0 when there are none). Out-of-range values are clamped to the 32-bit range.
int32_t LeadingNumber(std::string_view text);

struct ParsedCommandLine {
    StartMode mode = StartMode::None;
    uint32_t window = 0;
};

// Reads the raw command line (program name first). foregroundWindow answers "/c" without a number.
ParsedCommandLine ParseCommandLine(std::string_view rawLine, const std::function<uint32_t()>& foregroundWindow);

// True when the run must be an ordinary program window: the project says so, or the program path holds
// ".exe" after its first character (lower-cased).
bool RunsAsProgram(bool projectSaysProgram, const std::string& programPath);

// The mode the run goes on with. Program when RunsAsProgram; a switch letter the protocol does not know
// (mode None) opens the settings, as an empty command line does.
StartMode ResolveStartMode(StartMode parsed, bool projectSaysProgram, const std::string& programPath);

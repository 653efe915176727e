#pragma once
#include <string>

// Cached copies of stored videos live in a folder named after the program's digit code, under names made of
// the video's digit code; between runs they are kept under a hidden name without extension.

// tempDir\<digits of program name>\<digits of video name><extension>
std::string CachedVideoPath(const std::string& tempDir, const std::string& programPath, const std::string& storedName);
// The cached path without its extension.
std::string HiddenVideoName(const std::string& path);

#pragma once
#include <string>

// A plain modal window standing in for the show and the settings dialog until they exist: it closes on
// Escape, on its close box or after seconds.
void RunPlaceholderWindow(const std::string& title, unsigned seconds);

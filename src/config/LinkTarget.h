#pragma once
#include <optional>
#include <string>

// What a link of the settings dialog may hand to the shell: an http://, https:// or mailto: address, a
// bare "www." address with "http://" before it, with spaces, quotes and the like percent-encoded. Anything
// else (a program or document path, a file: or other URL, a UNC path, text with control characters) gives
// nothing, so a project cannot make the dialog start a program.
std::optional<std::string> SafeLinkTarget(const std::string& value);

#pragma once
#include <string>

// The system's reason for the last failed file call of this thread ("No space left on device"), as the
// system words it; for messages that name a file and why it could not be used.
std::string LastSystemErrorText();

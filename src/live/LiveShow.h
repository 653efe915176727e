#pragma once
#include <string>

#include "live/LiveTarget.h"

// Plays the project attached to the program file live: in a window, full screen or in an existing X window,
// through the real start-up, the show's logic, the slide players, the transitions and the media players on
// the real clock, with sound where the system has an output. Returns when the show has closed (a close
// event, the time limit, the window closed, SIGTERM, SIGINT or SIGHUP); false with a message when it could not run.
bool PlayLive(const LiveOptions& options, std::string& error);

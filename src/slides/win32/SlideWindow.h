#pragma once
#include <memory>

#include "slides/SlidePlayer.h"

// The slide window on Windows: a borderless child covering its parent, painted from the player's canvas,
// passing the user's input on to the parent so the close events work over it.
std::unique_ptr<ISlideWindowHost> CreateSlideWindow(void* parentWindow);

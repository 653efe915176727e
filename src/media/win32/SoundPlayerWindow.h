#pragma once
#include "media/MediaInterfaces.h"

#include <windows.h>

#include <cstdint>
#include <memory>

// A sound player living in a hidden static child "SoundPlayer" of the parent window; it posts endMessage to
// the parent when a sound has played to its end.
std::unique_ptr<ISoundPlayer> CreateSoundPlayer(HWND parent, uint32_t endMessage);

#pragma once
#include "gfx/Geometry.h"

#include <cstdint>

// Where the video panel goes in a player window of W x H: the video's own rectangle (from the device's
// destination, left, top, right, bottom) sized by the item's display mode and placed at random or centred.
// 0 keeps the size (cut to the window per axis), 1 doubles it, 2 to 5 give a quarter, half, 1/sqrt 2 or all
// of the window's width with the video's aspect. A random placement takes the tick count modulo the room
// left in each direction, 0 where there is none.
Rect VideoPanelRect(int32_t videoLeft, int32_t videoTop, int32_t videoRight, int32_t videoBottom, int windowW,
                    int windowH, int32_t displayMode, bool randomPosition, uint32_t tickCount);

#pragma once
#include "gfx/Picture.h"

// Copies the screen's area (left, top, width, height) into the picture, made width × height. The
// caller finds the area of a monitor index with GetMonitorRect. False, picture unchanged, when the
// area is empty or cannot be had.
bool CaptureScreenArea(Picture& picture, int left, int top, int width, int height);

// A run of one pixel value, four pixels a store where the processor allows.
#pragma once

#include <cstdint>

void FillPixels(uint32_t* to, int64_t count, uint32_t pixel);

#pragma once
#include <cstdint>

// to[2k] = from[2k] for k in [0, count): every other pixel of a run, the ones between left as they are. Only
// pixels 0 .. 2 * count - 2 of either run are touched.
void CopyAlternatePixels(uint32_t* to, const uint32_t* from, int count);

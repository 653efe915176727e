#pragma once
#include <cstdint>

#include "gfx/Picture.h"

// A picture no effect can shortcut: horizontal and vertical ramps with noise in the low channel.
inline Picture Pattern(int w, int h, uint32_t seed)
{
    Picture p;
    p.CreateBlank(w, h, 0);
    uint32_t state = seed;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            p.Row(y)[x] = ((x * 255 / w) << 16 | (y * 255 / h) << 8 | (state >> 24)) & 0xFFFFFF;
        }
    return p;
}

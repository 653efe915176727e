#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

// The window size a benchmark draws at: QM_BENCH_SIZE=WxH (3840x2160 for a 4K screen), full HD unless given
// or when malformed.
inline Size BenchSize()
{
    static const Size size = [] {
        const char* text = std::getenv("QM_BENCH_SIZE");
        int w = 0, h = 0;
        char rest = 0;
        if (text && std::sscanf(text, "%dx%d%c", &w, &h, &rest) == 2 && w >= 64 && h >= 64 && w <= 8192 && h <= 8192)
            return Size{w, h};
        if (text)
            std::fprintf(stderr, "QM_BENCH_SIZE=%s is not WxH (64 to 8192 each): drawing at 1920x1080\n", text);
        return Size{1920, 1080};
    }();
    return size;
}

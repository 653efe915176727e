#include "codecs/ScaledJpeg.h"

int JpegScaleFor(int sourceW, int sourceH, int destW, int destH)
{
    if (sourceW <= 0 || sourceH <= 0 || destW <= 0 || destH <= 0)
        return 8;
    for (int n = 1; n < 8; ++n) {
        // The decoder rounds each side up; the source part may start anywhere, so it counts rounded down.
        const int64_t w = static_cast<int64_t>(sourceW) * n / 8, h = static_cast<int64_t>(sourceH) * n / 8;
        if (w >= destW && h >= destH)
            return n;
    }
    return 8;
}

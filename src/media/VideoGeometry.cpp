#include "media/VideoGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
// Panel extents stay within what a window can be; a degenerate rectangle gives an empty panel.
constexpr double kMaxExtent = 1 << 24;

int ClampExtent(double value)
{
    if (!(value > 0))
        return 0;
    return static_cast<int>(std::min(value, kMaxExtent));
}

int RandomOffset(int window, int size, uint32_t tick)
{
    // A panel larger than the window has no room to move: it starts at the window's edge.
    if (window <= size)
        return 0;
    return static_cast<int>(tick % static_cast<uint32_t>(window - size));
}
} // namespace

Rect VideoPanelRect(int32_t videoLeft, int32_t videoTop, int32_t videoRight, int32_t videoBottom, int windowW,
                    int windowH, int32_t displayMode, bool randomPosition, uint32_t tickCount)
{
    const double w0 = double(videoRight) - double(videoLeft);
    const double h0 = double(videoBottom) - double(videoTop);
    // A rectangle without width has no aspect to keep.
    const double aspect = h0 > 0 && w0 > 0 ? h0 / w0 : 1.0;
    const double windowWidth = windowW;
    const double windowHeight = windowH;
    double w = std::min(w0, windowWidth);
    double h = std::min(h0, windowHeight);
    switch (displayMode) {
    case 1:
        w = 2 * w;
        h = 2 * h;
        break;
    case 2: w = std::trunc(windowWidth / 4); break;
    case 3: w = std::trunc(windowWidth / 2); break;
    case 4: w = std::trunc(windowWidth / 1.4142); break;
    case 5: w = windowWidth; break;
    default: break;
    }
    if (displayMode >= 2 && displayMode <= 5)
        h = std::trunc(w * aspect);
    const int width = ClampExtent(w);
    const int height = ClampExtent(h);

    int x, y;
    if (randomPosition) {
        x = RandomOffset(windowW, width, tickCount);
        y = RandomOffset(windowH, height, tickCount);
    } else {
        x = static_cast<int>((int64_t(windowW) - width) / 2);
        y = static_cast<int>((int64_t(windowH) - height) / 2);
    }
    return Rect::FromSize(x, y, width, height);
}

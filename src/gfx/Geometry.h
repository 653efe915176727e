#pragma once
#include <algorithm>
#include <cstdint>

// Rectangles are half-open like a Windows RECT: right and bottom are not covered.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Intersect(const Rect& o) const
    {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    // The same rectangle with left <= right and top <= bottom.
    Rect Normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    static Rect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

// A Windows COLORREF: 0x00BBGGRR.
using Colorref = uint32_t;

constexpr Colorref MakeColorref(int r, int g, int b)
{
    return static_cast<Colorref>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colorref c)
{
    return c & 0xFF;
}
constexpr int GreenOf(Colorref c)
{
    return (c >> 8) & 0xFF;
}
constexpr int BlueOf(Colorref c)
{
    return (c >> 16) & 0xFF;
}

// Pixels are stored 0x00RRGGBB (bytes B, G, R, X in memory); COLORREF has red and blue swapped.
constexpr uint32_t PixelFromColorref(Colorref c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr Colorref ColorrefFromPixel(uint32_t p)
{
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// What GetPixel answers for a point outside the picture.
constexpr Colorref kInvalidColor = 0xFFFFFFFF;

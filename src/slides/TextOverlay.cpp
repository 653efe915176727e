#include "slides/TextOverlay.h"

#include <algorithm>

#include "gfx/Picture.h"

namespace {

// The unused fourth byte carries nothing.
constexpr uint32_t kColour = 0x00FFFFFF;

uint32_t Over(uint32_t beneath, uint32_t black, uint32_t white)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int b = (black >> shift) & 0xFF, w = (white >> shift) & 0xFF, f = (beneath >> shift) & 0xFF;
        const int v = std::clamp(b + (f * (w - b) + 127) / 255, 0, 255);
        out |= static_cast<uint32_t>(v) << shift;
    }
    return out;
}

} // namespace

bool TextOverlay::Capture(Size size, const Rect& area, const std::function<void(Picture&)>& draw)
{
    Clear();
    Picture onBlack, onWhite;
    if (!onBlack.CreateBlank(size.cx, size.cy, 0) || !onWhite.CreateBlank(size.cx, size.cy, 0x00FFFFFF))
        return false;
    draw(onBlack);
    draw(onWhite);
    const Rect r = area.Intersect(onBlack.GetRect());
    for (int y = r.top; y < r.bottom; ++y) {
        const uint32_t* b = onBlack.Row(y);
        const uint32_t* w = onWhite.Row(y);
        for (int x = r.left; x < r.right;) {
            if ((b[x] & kColour) == 0 && (w[x] & kColour) == kColour) {
                ++x;
                continue;
            }
            Run run{x, y, 0, black_.size()};
            for (; x < r.right && ((b[x] & kColour) != 0 || (w[x] & kColour) != kColour); ++x, ++run.count) {
                black_.push_back(b[x]);
                white_.push_back(w[x]);
            }
            runs_.push_back(run);
        }
    }
    return true;
}

void TextOverlay::Apply(Picture& target, Point origin) const
{
    if (!target.IsLoaded())
        return;
    for (const Run& run : runs_) {
        const int y = run.y - origin.y;
        if (y < 0 || y >= target.Height())
            continue;
        uint32_t* row = target.Row(y);
        for (int i = 0; i < run.count; ++i) {
            const int x = run.x + i - origin.x;
            if (x >= 0 && x < target.Width())
                row[x] = Over(row[x], black_[run.at + i], white_[run.at + i]);
        }
    }
}

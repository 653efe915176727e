#pragma once
#include <functional>
#include <vector>

#include "gfx/Geometry.h"

class Picture;

// The titles and descriptions of a slide, caught once so that they can be laid again over a picture that moves
// beneath them: every pixel they touch, as drawn over black and as drawn over white. Per colour channel a text
// pixel is then black + beneath * (white - black) / 255, whatever the renderer's smoothing, so the texts look as
// they were drawn over the new pixels.
class TextOverlay {
public:
    // draw(picture) draws the texts on a picture of `size` (the window's, where their positions are
    // reckoned); only their pixels inside `area` are kept. False when the pictures could not be made.
    bool Capture(Size size, const Rect& area, const std::function<void(Picture&)>& draw);
    void Clear() { runs_.clear(), black_.clear(), white_.clear(); }
    bool Empty() const { return runs_.empty(); }
    // Lays the texts over target, whose pixel (0, 0) lies at `origin` in the window.
    void Apply(Picture& target, Point origin) const;

private:
    struct Run {
        int x, y, count;
        size_t at; // of its first pixel in black_ and white_
    };
    std::vector<Run> runs_;
    std::vector<uint32_t> black_, white_;
};

#pragma once
#include <optional>
#include <utility>
#include <vector>

#include "gfx/Region.h"
#include "transitions/TransitionEngine.h"

// What the region-shape families share: a frame drawn through a region, random centres, corner triangles.

// Shows the slide through one region per frame (slide coordinates), each region holding the one before.
// The pixels the last region shown let through are on the canvas already and copies never take them away
// again, so only what the new region adds is copied: the canvas ends every frame exactly as if the whole
// region had been copied. A frame left undrawn copies nothing; the next one shown adds what it missed.
class RegionFrames {
public:
    explicit RegionFrames(TransitionEngine& fx) : fx_(fx) { }

    void Show(Region region)
    {
        if (fx_.FrameDropped())
            return;
        fx_.CopySlideThrough(Region::Combine(region, shown_, RegionOp::Diff));
        shown_ = std::move(region);
    }
    // The slide outside the shape: the closing ("to") variants. A run shows either way, not both. What
    // (slide - shape) adds to (slide - the shape before) is (the shape before, on the slide) - shape: one
    // combination a frame instead of two; a shape built inside the slide (the shapes' clip) needs no cutting.
    void ShowOutside(Region shape)
    {
        if (fx_.FrameDropped())
            return;
        const Rect bounds = fx_.SlideBounds();
        const Rect extent = shape.Bounds();
        Region inside = extent.Intersect(bounds) == extent
            ? std::move(shape)
            : Region::Combine(shape, Region::FromRect(bounds), RegionOp::And);
        fx_.CopySlideThrough(
            Region::Combine(insideBefore_ ? *insideBefore_ : Region::FromRect(bounds), inside, RegionOp::Diff));
        insideBefore_ = std::move(inside);
    }

private:
    TransitionEngine& fx_;
    Region shown_;
    std::optional<Region> insideBefore_; // ShowOutside's shape before, on the slide
};

// A random point inside the slide, off its left and top edges: y from the first random number, x from the
// second. A slide one pixel wide or high has no such range; its centre is taken.
inline Point RandomInnerPoint(TransitionEngine& fx)
{
    const int first = fx.Rand();
    const int second = fx.Rand();
    const int w = fx.SlideWidth(), h = fx.SlideHeight();
    if (w < 2 || h < 2)
        return {w / 2, h / 2};
    return {second % (w - 1) + 1, first % (h - 1) + 1};
}

// The right triangle with its right angle at `corner`, legs along the horizontal edge toward the slide's
// inside (dirX = +1: to the right) and along the vertical edge (dirY = +1: down).
inline std::vector<Point> CornerTriangle(Point corner, int dirX, int dirY, int legX, int legY)
{
    return {corner, {corner.x + dirX * legX, corner.y}, {corner.x, corner.y + dirY * legY}};
}

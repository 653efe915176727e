#pragma once
#include <cstdint>
#include <vector>

#include "gfx/Geometry.h"

// Where many small pieces of a canvas changed: a grid of tiles, each marked once anything in it changed,
// given back as few rectangles (the runs of marked tiles along a tile row, joined with the same runs of the
// rows below). What they cover exceeds the changes by less than a tile around each, where the box around
// all of them may be the whole canvas (the ragged ends of bands all along a slide's edges).
class ChangedTiles {
public:
    static constexpr int kTile = 32;

    // Nothing marked, for a canvas of this size.
    void Reset(Size canvas);
    bool Empty() const { return marked_ == 0; }
    // Marks the tiles r touches (r within the canvas).
    void Mark(const Rect& r);
    // Appends the marked tiles as rectangles (cut to the canvas) and clears them.
    void TakeRects(std::vector<Rect>& out);

private:
    Size canvas_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<uint8_t> tiles_;
    size_t marked_ = 0;
};

#pragma once
#include <vector>

#include "transitions/TransitionEngine.h"

// Columns [left, right) of the slide, in slide coordinates.
struct ColumnSpan {
    int left, right;
};

// Copies the slide's column spans (apart, in any order) onto the canvas row by row and shows the rectangle from
// the first to the last: a copy per narrow column would walk the whole slide once per column (a 4K slide's
// hundreds of columns a frame took longer than the frame's delay). Spans are cut to the slide.
void CopySlideColumns(TransitionEngine& fx, const std::vector<ColumnSpan>& spans);

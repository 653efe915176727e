#pragma once
// Copies of many small pieces of the slide at once: one pass over the canvas and a few rectangles shown, where
// a copy and a present for each piece would cost more than its pixels.
#include <initializer_list>
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

// Copies the slide's pieces (slide coordinates) onto the canvas and shows `shown`, which must hold them all: for
// effects that copy hundreds of small pieces a frame along a few lines, whose copies and presents one by one
// would cost more than their pixels.
void CopySlidePieces(TransitionEngine& fx, const std::vector<Rect>& pieces, std::initializer_list<Rect> shown);

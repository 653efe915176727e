#pragma once
#include "model/PanZoomSetting.h"

class IRandom;
class Picture;

// The part of a picture a pan and zoom shows at one moment, in the picture's pixels; its edges need not fall
// on whole pixels, so that the motion stays smooth however slowly it goes.
struct PanZoomView {
    double left = 0, top = 0, width = 0, height = 0;
};

// The way one item's picture moves while it is shown: from the whole picture at 100 % to the end zoom, its view
// going from one point to the other (shares of the room the zoom leaves, 0 to 100 %).
struct PanZoomPath {
    int zoomPercent = PanZoomSetting::kDefaultZoom;
    int fromX = 50, fromY = 50, toX = 50, toY = 50;

    // The item's path; where the setting leaves the direction open, one of eight (across, down and the
    // diagonals, either way) drawn from the show's random numbers, so that a render repeats.
    static PanZoomPath For(const PanZoomSetting& setting, IRandom& random);
    // The view of a picture part of sourceW x sourceH pixels at progress t (0 at the start, 1 at the end).
    PanZoomView ViewAt(double t, int sourceW, int sourceH) const;
};

// Draws the view of image into the whole of target with the area-average (HALFTONE) stretch. The whole source
// pixels around the view are stretched a little beyond the target, so that its edges cut the view where it
// falls between pixels. The view of the whole source gives exactly the pixels of a plain stretch.
void DrawPanZoomView(Picture& target, const Picture& image, const PanZoomView& view);

#pragma once

// The arithmetic of placing an image on a slide: scaling rules, positions and text placement. Kept apart
// from the drawing so that the exact rounding can be checked on its own.

struct SlideSize {
    int width = 0;
    int height = 0;
    bool operator==(const SlideSize&) const = default;
};

// The largest size of the image's aspect ratio inside the frame (ratios in single precision, products
// truncated toward zero).
SlideSize FitInside(int imageW, int imageH, int frameW, int frameH);

// The part of the image, anchored at its top-left corner, that has the frame's aspect ratio.
SlideSize CropToFrameAspect(int imageW, int imageH, int frameW, int frameH);

// Where and how large an image goes on a frame: destination size W x H, source rectangle (0, 0, SW, SH).
struct SlideScale {
    int destW = 0;
    int destH = 0;
    int srcW = 0;
    int srcH = 0;
};

// Scale modes 0 to 3 (other values: the image's own size). Sizes of an image that did not load (-1) pass
// through the same rules; the caller decides what such a slide shows.
SlideScale ScaleSlide(int scaleMode, int imageW, int imageH, int frameW, int frameH);

// x or y of a slide of size `size` in a frame of size `frame`: centred, or with `randomValue` (one rand()
// call) the random offset, 0 when the sizes are equal. Differences of 0 or less give 0.
int CentredOffset(int frame, int size);
int RandomOffset(int frame, int size, int randomValue);

// Top-left corner of a text block w x h on a picture W x H for a text position code (9 = stored x, y,
// held within +-2^28 so that adding the text's extent cannot overflow).
struct TextPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TextPoint&) const = default;
};
TextPoint PlaceText(int code, int pictureW, int pictureH, int textW, int textH, int storedX, int storedY);

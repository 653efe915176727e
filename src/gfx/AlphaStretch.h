#pragma once

class Picture;

// Stretches image's (0, 0, sw, sh) into (x, y, w, h) of target in HALFTONE mode. A picture with
// transparent parts (Picture::Alpha) is laid over what the target already shows there, each pixel by
// its opacity; any other picture covers it. The target's stretch mode is left as it was.
void StretchOver(Picture& target, int x, int y, int w, int h, const Picture& image, int sw, int sh);

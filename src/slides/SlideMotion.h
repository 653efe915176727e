#pragma once
#include <cstdint>

#include "gfx/Picture.h"
#include "slides/PanZoom.h"
#include "slides/TextOverlay.h"

// The pan and zoom of the slide on screen: the picture as decoded (not the slide-sized copy), the part of it the
// slide shows, where that lies on the window, the path and the texts over it. Draws the frame of any moment into
// the canvas, from the time since the display began, so the motion is as smooth as the pace it is drawn at and a
// render in virtual time repeats exactly. Only the picture's rectangle changes; everything around it stays.
class SlideMotion {
public:
    // image: the picture; source: the extent of its pixels, from its top-left, that the slide shows; onWindow:
    // where the slide shows them; durationMs: the display time the motion spans. The start, if any, is kept.
    void Prepare(Picture image, Size source, const Rect& onWindow, const PanZoomPath& path, uint32_t durationMs,
                 TextOverlay texts);
    // No motion any more (the next item).
    void Clear();
    bool Prepared() const { return image_.IsLoaded(); }
    const PanZoomPath& Path() const { return path_; }

    // The display time begins at `tick` (ms). A motion begun already keeps its start.
    void Start(uint32_t tick);
    bool Started() const { return started_; }
    // Draws the frame of `tick` into the canvas; returns the window rectangle it changed, empty when the frame
    // would be the one drawn last (the end of the display time reached) or there is no motion.
    Rect DrawAt(uint32_t tick, Picture& canvas);
    // The frame of the end has been drawn: nothing changes any more.
    bool AtEnd() const { return drawn_ && lastElapsed_ >= durationMs_; }

private:
    Picture image_;
    Picture frame_; // the picture's rectangle, composed before it goes to the canvas at once
    Size source_;
    Rect onWindow_;
    PanZoomPath path_;
    uint32_t durationMs_ = 1;
    TextOverlay texts_;
    bool started_ = false;
    uint32_t start_ = 0;
    bool drawn_ = false;
    uint32_t lastElapsed_ = 0;
};

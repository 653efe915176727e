#pragma once
#include <functional>
#include <mutex>
#include <vector>

#include "gfx/Picture.h"

// A picture handed from a drawing thread to the screen: the drawing side copies in what it presents, the
// screen takes out what changed, each under the buffer's lock, so neither ever sees half a copy and the
// drawing side waits at most for one upload.
class FrontBuffer {
public:
    // Called (on the writing thread) when the buffer goes from unchanged to changed.
    std::function<void()> onChange;

    // Any thread: copies the rectangles of `from` in, and its pixels inside the regions (all in window
    // coordinates), as one change: the screen takes all of them or none. When `from` has another size the
    // buffer takes it, and the whole picture is copied and counts as changed.
    void Write(const Picture& from, const std::vector<Rect>& areas, const std::vector<Region>& regions = {});
    void Write(const Picture& from, const Rect& area) { Write(from, std::vector<Rect>{area}); }
    // The screen's thread: when something changed (or always, with `all`) calls `take` with the picture and
    // the changed rectangle (the whole picture with `all`); afterwards nothing counts as changed. False when
    // it did not call (nothing changed, or the buffer is still empty).
    bool Take(bool all, const std::function<void(const Picture& picture, const Rect& changed)>& take);
    bool Changed() const;
    Size PictureSize() const;

private:
    mutable std::mutex lock_;
    Picture picture_;
    Rect changed_;
};

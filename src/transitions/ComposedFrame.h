#pragma once
#include <algorithm>

#include "gfx/Picture.h"
#include "transitions/TransitionEngine.h"

// The temporary picture of the buffered effects: slide-sized, made once per run, freed with the object on
// every return path. It starts as the background under the slide; an effect copies pieces of the slide and
// of the background into it (all in slide coordinates, clipped to the slide) and shows it at the slide's
// place. Since the canvas already holds the frame before, an effect may show only the part it changed:
// the canvas then ends each frame exactly as if the whole picture had been shown.
class ComposedFrame {
public:
    explicit ComposedFrame(TransitionEngine& fx) : fx_(fx) { fx.BackgroundUnderSlide(picture_); }
    ComposedFrame(const ComposedFrame&) = delete;
    ComposedFrame& operator=(const ComposedFrame&) = delete;

    // False when the picture could not be made (out of memory): there is nothing to compose in.
    bool Ready() const { return picture_.IsLoaded(); }
    Picture& Buffer() { return picture_; }

    // The slide's pixels of r, in place, or taken from `source` (the top-left of the piece).
    void FromSlide(const Rect& r) { FromSlide(r, Point{r.left, r.top}); }
    void FromSlide(const Rect& r, Point source)
    {
        const Rect c = r.Intersect(fx_.SlideBounds());
        if (!c.IsEmpty())
            picture_.BitBlt(c.left, c.top, c.Width(), c.Height(), fx_.Slide(), source.x + (c.left - r.left),
                            source.y + (c.top - r.top));
    }
    // The background under r (the same window position).
    void FromBackground(const Rect& r)
    {
        const Rect c = r.Intersect(fx_.SlideBounds());
        if (!c.IsEmpty())
            picture_.BitBlt(c.left, c.top, c.Width(), c.Height(), fx_.Background(), fx_.SlideLeft() + c.left,
                            fx_.SlideTop() + c.top);
    }

    void Show() { Show(fx_.SlideBounds()); }
    // Only the part r of the picture. While a frame is left undrawn, the part waits for the next frame
    // shown, which shows it too: the picture holds every frame whole, so the canvas then ends that frame
    // exactly as if none had been left out.
    void Show(const Rect& r)
    {
        if (fx_.FrameDropped()) {
            unshown_ = unshown_.IsEmpty() ? r : r.IsEmpty() ? unshown_ : Bounding(unshown_, r);
            return;
        }
        const Rect part = unshown_.IsEmpty() ? r : r.IsEmpty() ? unshown_ : Bounding(unshown_, r);
        unshown_ = Rect{};
        if (part == fx_.SlideBounds())
            fx_.ShowPicture(picture_);
        else
            fx_.ShowPicture(picture_, part);
    }

private:
    static Rect Bounding(const Rect& a, const Rect& b)
    {
        return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
    }

    TransitionEngine& fx_;
    Picture picture_;
    Rect unshown_; // changed in frames left undrawn
};

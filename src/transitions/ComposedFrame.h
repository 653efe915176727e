#pragma once
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

    void Show() { fx_.ShowPicture(picture_); }
    // Only the part r of the picture.
    void Show(const Rect& r) { fx_.ShowPicture(picture_, r); }

private:
    TransitionEngine& fx_;
    Picture picture_;
};

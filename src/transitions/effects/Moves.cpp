// Whole-slide moves: the slide, its two halves at once, or a corner of it pushes in from the edges.
#include <algorithm>

#include "transitions/MovePieces.h"
#include "transitions/effects/Families.h"

// The whole slide enters from the canonical top edge. The run goes on for a step past the arrival, so the
// last frame shows the slide in place whatever the length's remainder.
void MoveWhole(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, p.size);
    MoveAxis axis(fx, p.orientation);
    const MovingPiece slide{0, axis.Length(), 0, false};
    MoveTogether(fx, axis, {slide}, fx.Step(), static_cast<long long>(slide.Distance()) + fx.Step() + 1, p.delayMs);
}

// The first half enters from the canonical top edge and the rest from the bottom edge at once; they meet at
// the middle line.
void MoveBothHalves(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, p.size);
    MoveAxis axis(fx, p.orientation);
    const int middle = axis.FromTopLeft(axis.Length() / 2);
    const MovingPiece first{0, middle, 0, false};
    const MovingPiece rest{middle, axis.Length(), axis.Length(), true};
    // The halves differ by a pixel at most: the step past the first half's arrival covers the other's.
    MoveTogether(fx, axis, {first, rest}, fx.Step(), static_cast<long long>(middle) + fx.Step() + 1, p.delayMs);
}

// A rectangle growing from the canonical top-left corner, p wide and trunc(p * h / w) high (in whole
// numbers), shows the slide's opposite corner, so the slide seems to push in diagonally. The orientation
// only mirrors, so the piece keeps its shape.
void MoveCorner(TransitionEngine& fx, const EffectParams& p)
{
    TransitionEngine::StepOverride fixed(fx, p.size);
    const Size slide = fx.SlideSize();
    Sweep(
        fx, FrameKind::Overwrites, 0, static_cast<long long>(slide.cx) + fx.Step() + 1, fx.Step(), p.delayMs,
        [&](int q, int) {
            const int width = std::min(q, slide.cx);
            const int height =
                static_cast<int>(std::min<long long>(slide.cy, static_cast<long long>(q) * slide.cy / slide.cx));
            const Rect source = p.orientation.Map(Rect{slide.cx - width, slide.cy - height, slide.cx, slide.cy}, slide);
            fx.CopySlide(p.orientation.Map(Rect{0, 0, width, height}, slide), Point{source.left, source.top});
        });
}

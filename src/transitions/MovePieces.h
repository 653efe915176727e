#pragma once
#include <algorithm>
#include <initializer_list>

#include "transitions/EffectKit.h"
#include "transitions/Orientation.h"

// The moves slide pieces of the slide into place instead of uncovering them. They are drawn along one
// canonical axis, "down" (toward larger canonical y); the orientation maps that to the slide. A piece is a
// band of the slide across the whole canonical width.

class MoveAxis {
public:
    MoveAxis(TransitionEngine& fx, const Orientation& o)
        : fx_(fx), o_(o), slide_(fx.SlideSize()), extent_(o.Extent(slide_))
    {
    }

    // The slide's extent along the motion axis.
    int Length() const { return extent_.cy; }
    // The canonical position of a line of the slide given as its distance from the slide's top (left) edge:
    // halves and strips are measured from there whichever way the pieces move.
    int FromTopLeft(int distance) const { return Reversed() ? extent_.cy - distance : distance; }
    // Whether the motion runs toward the slide's top (left) edge.
    bool Reversed() const { return o_.swapAxes ? o_.mirrorX : o_.mirrorY; }
    // Shows the slide band starting at sourceTop in [top, bottom).
    void Show(int top, int bottom, int sourceTop)
    {
        if (bottom <= top)
            return;
        const Rect source = o_.Map(Rect{0, sourceTop, extent_.cx, sourceTop + bottom - top}, slide_);
        fx_.CopySlide(o_.Map(Rect{0, top, extent_.cx, bottom}, slide_), Point{source.left, source.top});
    }
    // Puts the background back over [top, bottom): what a moving piece leaves behind.
    void Restore(int top, int bottom)
    {
        if (bottom > top)
            fx_.CopyBackground(o_.Map(Rect{0, top, extent_.cx, bottom}, slide_));
    }

private:
    TransitionEngine& fx_;
    Orientation o_;
    Size slide_;
    Size extent_;
};

// A piece on its way to its place [from, to): it comes out from behind `line` (an edge of the slide or the
// line between two halves) and moves on until it is in place. Moving down, line <= from; moving up,
// line >= to. Where it comes out past its own length it travels, and the background is put back behind it.
struct MovingPiece {
    int from = 0;
    int to = 0;
    int line = 0;
    bool up = false;

    // How far the piece moves.
    int Distance() const { return up ? line - from : to - line; }

    // The piece p pixels out from behind the line; `last` is where it was in the last frame drawn.
    void Draw(MoveAxis& axis, int p, int last) const
    {
        p = std::clamp(p, 0, Distance());
        last = std::clamp(last, 0, p);
        const int length = to - from;
        if (!up) {
            const int lead = line + p;
            const int tail = std::max(line, lead - length);
            axis.Restore(std::max(line, line + last - length), tail);
            axis.Show(tail, lead, to - (lead - tail));
        } else {
            const int lead = line - p;
            const int tail = std::min(line, lead + length);
            axis.Restore(tail, std::min(line, line - last + length));
            axis.Show(lead, tail, from);
        }
    }
};

// Moves the pieces together by `step` a frame, p = 0, step, ... while p < until; a piece that has arrived
// stays in place. Each frame draws the pieces whole and puts back what they left since the last frame
// drawn, so a frame may be left out. False when a stop ended it.
inline bool MoveTogether(TransitionEngine& fx, MoveAxis& axis, std::initializer_list<MovingPiece> pieces, int step,
                         long long until, uint32_t delayMs)
{
    return Sweep(fx, FrameKind::Overwrites, 0, until, step, delayMs, [&](int p, int last) {
        for (const MovingPiece& piece : pieces)
            piece.Draw(axis, p, last);
    });
}

// One phase: moves the piece until it is in place; the phase ends with the frame in which it arrives.
inline bool MoveIntoPlace(TransitionEngine& fx, MoveAxis& axis, const MovingPiece& piece, int step, uint32_t delayMs)
{
    return MoveTogether(fx, axis, {piece}, step, static_cast<long long>(piece.Distance()) + step, delayMs);
}

// Moves by halves: one half comes in and, after an optional pause, the other follows. The halves are
// measured from the slide's top (left) edge, whichever way they move.
#include "transitions/MovePieces.h"
#include "transitions/effects/Families.h"

namespace {

// What the second half does once the first is in place.
enum class Then { SlideOutOfTheMiddle, EnterFromTheEdge };

// The near half enters from the canonical top edge; the rest then comes out from behind it or enters from
// the bottom edge.
void TwoPhases(TransitionEngine& fx, const EffectParams& p, Then then)
{
    TransitionEngine::StepOverride fixed(fx, p.size);
    MoveAxis axis(fx, p.orientation);
    const int end = axis.Length();
    const int middle = axis.FromTopLeft(axis.Length() / 2);
    // A stopped first phase still opens the second, which sees the stop at the end of its first frame.
    if (MoveIntoPlace(fx, axis, MovingPiece{0, middle, 0, false}, fx.Step(), p.delayMs) && p.pauseMs > 0)
        fx.Pause(p.pauseMs);
    const MovingPiece rest = then == Then::SlideOutOfTheMiddle ? MovingPiece{middle, end, middle, false}
                                                               : MovingPiece{middle, end, end, true};
    MoveIntoPlace(fx, axis, rest, fx.Step(), p.delayMs);
}

// The far half enters from the canonical top edge and travels across the slide to the bottom; the near half
// then comes out from behind it upwards or enters from the top edge.
void ThreePhases(TransitionEngine& fx, const EffectParams& p, Then then)
{
    TransitionEngine::StepOverride fixed(fx, p.size);
    MoveAxis axis(fx, p.orientation);
    const int middle = axis.FromTopLeft(axis.Length() / 2);
    // Entering and travelling are one motion: the half never stops at the edge.
    if (MoveIntoPlace(fx, axis, MovingPiece{middle, axis.Length(), 0, false}, fx.Step(), p.delayMs) && p.pauseMs > 0)
        fx.Pause(p.pauseMs);
    const MovingPiece near =
        then == Then::SlideOutOfTheMiddle ? MovingPiece{0, middle, middle, true} : MovingPiece{0, middle, 0, false};
    MoveIntoPlace(fx, axis, near, fx.Step(), p.delayMs);
}

} // namespace

void MoveHalfThenSlideOut(TransitionEngine& fx, const EffectParams& p)
{
    TwoPhases(fx, p, Then::SlideOutOfTheMiddle);
}

void MoveHalfThenEnter(TransitionEngine& fx, const EffectParams& p)
{
    TwoPhases(fx, p, Then::EnterFromTheEdge);
}

void MoveFarHalfThenSlideOut(TransitionEngine& fx, const EffectParams& p)
{
    ThreePhases(fx, p, Then::SlideOutOfTheMiddle);
}

void MoveFarHalfThenEnter(TransitionEngine& fx, const EffectParams& p)
{
    ThreePhases(fx, p, Then::EnterFromTheEdge);
}

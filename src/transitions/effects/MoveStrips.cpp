// Strip moves: twenty strips across the motion, one at a time, each entering at the edge and travelling to
// its place, the farthest first.
#include <algorithm>

#include "transitions/MovePieces.h"
#include "transitions/effects/Families.h"

namespace {
constexpr int kStripCount = 20;
}

void MoveStrips(TransitionEngine& fx, const EffectParams& p)
{
    MoveAxis axis(fx, p.orientation);
    const int length = axis.Length();
    // One more than a twentieth, so twenty strips always cover the slide; the last few may be empty.
    const int thickness = length / kStripCount + 1;
    // Thin strips move no more than their own thickness a frame.
    TransitionEngine::StepOverride fixed(fx, std::min(p.size, thickness));
    // Strips are cut from the top (left) edge; the one farthest from the canonical entry edge goes first.
    for (int n = 0; n < kStripCount; ++n) {
        const int k = axis.Reversed() ? n : kStripCount - 1 - n;
        const int a = axis.FromTopLeft(std::min(k * thickness, length));
        const int b = axis.FromTopLeft(std::min((k + 1) * thickness, length));
        const MovingPiece strip{std::min(a, b), std::max(a, b), 0, false};
        if (strip.to == strip.from)
            continue;
        if (!MoveIntoPlace(fx, axis, strip, fx.Step(), p.delayMs))
            return;
    }
}

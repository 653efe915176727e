#pragma once
#include "transitions/EffectTable.h"

// The effect families, one source file each in this folder; the table (EffectTable.cpp) names them per
// index with their parameters.

// Blinds.cpp
void WindowBlind(TransitionEngine& fx, const EffectParams& p);

// Lines.cpp
void LineForward(TransitionEngine& fx, const EffectParams& p);
void LineBackward(TransitionEngine& fx, const EffectParams& p);

// RandomLines.cpp
void RandomLines(TransitionEngine& fx, const EffectParams& p);
void Mosaic(TransitionEngine& fx, const EffectParams& p);
void RandomCrossLines(TransitionEngine& fx, const EffectParams& p);

// Scans.cpp
void Scan(TransitionEngine& fx, const EffectParams& p);
void ScanLeft(TransitionEngine& fx, const EffectParams& p);
void ScanToCenter(TransitionEngine& fx, const EffectParams& p);
void ScanToEdge(TransitionEngine& fx, const EffectParams& p);

// Shutters.cpp
void Shutter(TransitionEngine& fx, const EffectParams& p);
void FromCorner(TransitionEngine& fx, const EffectParams& p);

// Sweeps.cpp
void SweepForward(TransitionEngine& fx, const EffectParams& p);
void SweepBackward(TransitionEngine& fx, const EffectParams& p);

// Bars.cpp
void TwoBars(TransitionEngine& fx, const EffectParams& p);

// ZigZags.cpp
void ZigZag(TransitionEngine& fx, const EffectParams& p);

// Moves.cpp, MoveHalves.cpp, MoveStrips.cpp: the slide or its pieces slide into place, a frame every 2 ms.
// size: the step they set for their run; the moves by halves pause between their phases.
constexpr EffectParams MoveRow(Orientation o, int step, uint32_t pauseMs = 0)
{
    return {.orientation = o, .size = step, .delayMs = 2, .pauseMs = pauseMs};
}
void MoveWhole(TransitionEngine& fx, const EffectParams& p);
void MoveBothHalves(TransitionEngine& fx, const EffectParams& p);
void MoveCorner(TransitionEngine& fx, const EffectParams& p);
void MoveHalfThenSlideOut(TransitionEngine& fx, const EffectParams& p);
void MoveHalfThenEnter(TransitionEngine& fx, const EffectParams& p);
void MoveFarHalfThenSlideOut(TransitionEngine& fx, const EffectParams& p);
void MoveFarHalfThenEnter(TransitionEngine& fx, const EffectParams& p);
void MoveStrips(TransitionEngine& fx, const EffectParams& p);

// Envelop.cpp
void CenterEnvelop(TransitionEngine& fx, const EffectParams& p);
void MultiBox(TransitionEngine& fx, const EffectParams& p);

// IncreaseShow.cpp
void IncreaseShow(TransitionEngine& fx, const EffectParams& p);

// Rain.cpp
void Rain(TransitionEngine& fx, const EffectParams& p);

// Rolls.cpp
void Roll(TransitionEngine& fx, const EffectParams& p);

// Combs.cpp
void Comb(TransitionEngine& fx, const EffectParams& p);

// Stretches.cpp
void StretchEdge(TransitionEngine& fx, const EffectParams& p);
void StretchCorner(TransitionEngine& fx, const EffectParams& p);
void StretchCenter(TransitionEngine& fx, const EffectParams& p);

// Bands.cpp
void BandDown(TransitionEngine& fx, const EffectParams& p);
void EdgeBand(TransitionEngine& fx, const EffectParams& p);
void CornerBand(TransitionEngine& fx, const EffectParams& p);
void BandFromCenter(TransitionEngine& fx, const EffectParams& p);
void BandToCenter(TransitionEngine& fx, const EffectParams& p);

// Blocks.cpp
void BlockSpiral(TransitionEngine& fx, const EffectParams& p);
void CenterDiffuse(TransitionEngine& fx, const EffectParams& p);

// Checkerboards.cpp: 20 ms a frame; the way each of the two passes runs.
constexpr EffectParams CheckerRow(Orientation o, Order first, Order second)
{
    return {.orientation = o, .delayMs = 20, .variant = PassOrder{first, second}};
}
void Checkers(TransitionEngine& fx, const EffectParams& p);

// Region-shape families.
// Circles.cpp
void CircleSweep(TransitionEngine& fx, const EffectParams& p);
// Crosses.cpp
void CrossWipe(TransitionEngine& fx, const EffectParams& p);
void DiamondWipe(TransitionEngine& fx, const EffectParams& p);
// Ellipses.cpp
void EllipseWipe(TransitionEngine& fx, const EffectParams& p);
// Fans.cpp
void FanWipe(TransitionEngine& fx, const EffectParams& p);
// MultiWipes.cpp
void MultiWipe(TransitionEngine& fx, const EffectParams& p);
// Wedges.cpp
void WedgeWipe(TransitionEngine& fx, const EffectParams& p);
// CornerWipes.cpp: 2 ms a frame.
constexpr EffectParams CornerWipeRow(Corner corner, Pairing pairing)
{
    return {.delayMs = 2, .variant = CornerWipeForm{corner, pairing}};
}
void CornerWipe(TransitionEngine& fx, const EffectParams& p);

// Blended families.
// Fades.cpp: the slide by its opacity, straight or through black; the caller's step, 20 ms a frame.
void Fade(TransitionEngine& fx, const EffectParams& p);

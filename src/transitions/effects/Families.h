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
constexpr int kScanPastEnd = 1; // Scan: the last strip is the first at or beyond the far edge
constexpr int kScanCloses = 2;  // Scan: ends with the whole slide
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
// size: the step they set for their run; variant (halves): the pause in ms between the phases, 0 for none.
constexpr EffectParams MoveRow(Orientation o, int step, int pauseMs = 0)
{
    return {.orientation = o, .size = step, .delayMs = 2, .variant = pauseMs};
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

// Rain.cpp (variant: +1 the trailing kind, up and left; +2 HALFTONE for the run)
void Rain(TransitionEngine& fx, const EffectParams& p);

// Rolls.cpp
void Roll(TransitionEngine& fx, const EffectParams& p);

// Combs.cpp
void Comb(TransitionEngine& fx, const EffectParams& p);

// Stretches.cpp
void StretchEdge(TransitionEngine& fx, const EffectParams& p);
void StretchCorner(TransitionEngine& fx, const EffectParams& p); // variant: +1 right, +2 bottom
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

// Checkerboards.cpp
void Checkers(TransitionEngine& fx, const EffectParams& p);

// Region-shape families (Circles.cpp, Crosses.cpp, Ellipses.cpp, Fans.cpp, MultiWipes.cpp, Wedges.cpp,
// CornerWipes.cpp). Their table rows name the variant with these bits.
namespace RegionVariant {
constexpr int Right = 1;        // anchored at the right edge (corners, cells)
constexpr int Bottom = 2;       // anchored at the bottom edge
constexpr int WithOpposite = 4; // the diagonally opposite corner's triangle joins in
constexpr int Closing = 8;      // the slide shows outside a shrinking shape
constexpr int RandomCentre = 16;
constexpr int Anticlockwise = 32;
} // namespace RegionVariant
// The radial sweeps' centres, with their phases (the table's .variant).
enum SweepCentre { kSweepLeftBottom, kSweepLeftTop, kSweepRightBottom, kSweepRightTop, kSweepMiddle, kSweepRandom };

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
// CornerWipes.cpp
void CornerWipe(TransitionEngine& fx, const EffectParams& p);

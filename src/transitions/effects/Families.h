#pragma once
#include "transitions/EffectTable.h"

// The effect families, one source file each in this folder; the table (EffectTable.cpp) names them per
// index with their parameters.

// Blinds.cpp
void WindowBlind(TransitionEngine& fx, const EffectParams& p);

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

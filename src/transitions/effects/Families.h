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

#pragma once
#include "transitions/EffectTable.h"

// The effect families, one source file each in this folder; the table (EffectTable.cpp) names them per
// index with their parameters.

// Blinds.cpp
void WindowBlind(TransitionEngine& fx, const EffectParams& p);

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

#pragma once
#include "transitions/EffectTable.h"

// The effect families, one source file each in this folder; the table (EffectTable.cpp) names them per
// index with their parameters.

// Blinds.cpp
void WindowBlind(TransitionEngine& fx, const EffectParams& p);

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

#pragma once
#include <cstdint>

#include "transitions/Orientation.h"

class TransitionEngine;

// What the table passes to an effect: its index, the direction its geometry is drawn in, a size (band
// thickness, strip count, ... as the family reads it), the frame delay and a family-specific variant
// (corner, phase table row, ...).
struct EffectParams {
    Orientation orientation = Orientation::Down;
    int size = 0;
    uint32_t delayMs = 0;
    int variant = 0;
    int index = 0; // set by the dispatcher
};

// One effect: draws the whole reveal with the engine's helpers.
using EffectFunction = void (*)(TransitionEngine& fx, const EffectParams& params);

struct EffectEntry {
    EffectFunction run = nullptr;
    EffectParams params;
};

// The table row of index 0..160; null outside.
const EffectEntry* FindEffect(int index);

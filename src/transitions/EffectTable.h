#pragma once
#include <cstdint>

#include "transitions/EffectVariant.h"
#include "transitions/Orientation.h"

class TransitionEngine;

// What the table passes to an effect: the direction its geometry is drawn in, a size (band thickness, the
// step of a move, ... as the family reads it), the frame delay, the pause between the phases of a move
// (0 for none) and the family's variant.
struct EffectParams {
    Orientation orientation = Orientation::kDown;
    int size = 0;
    uint32_t delayMs = 0;
    uint32_t pauseMs = 0;
    EffectVariant variant = std::monostate{};
};

// One effect: draws the whole reveal with the engine's helpers.
using EffectFunction = void (*)(TransitionEngine& fx, const EffectParams& params);

struct EffectEntry {
    EffectFunction run = nullptr;
    EffectParams params;
};

// The table row of index 0..kEffectCount - 1; null outside.
const EffectEntry* FindEffect(int index);

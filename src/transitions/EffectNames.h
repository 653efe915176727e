#pragma once
#include <string_view>

#include "base/EffectCount.h"

// The transition effects by index, with the names the Transitions page shows.

// The name of effect `index` exactly as shown, or nullptr outside 0..kEffectCount - 1.
const char* EffectName(int index);

// The index of the effect with this name: an exact match first, then one ignoring case and trailing
// blanks; -1 when no effect has that name.
int FindEffectByName(std::string_view name);

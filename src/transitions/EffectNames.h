#pragma once
#include <string_view>

// The transition effects by index, with the names the Transitions page shows.
constexpr int kEffectCount = 161;

// The name of effect `index` exactly as shown, or nullptr outside 0..160.
const char* EffectName(int index);

// The index of the effect with this name: an exact match first, then one ignoring case and trailing
// blanks; -1 when no effect has that name.
int FindEffectByName(std::string_view name);

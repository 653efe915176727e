#pragma once

// How many transition effects there are, numbered 0 to kEffectCount - 1: known here, below the effects
// themselves, because the user settings and the project's effect lists name them all by number. The first
// 161 (0 to 160) are the historical set; new effects are only ever appended, so a stored number never
// changes its meaning.
constexpr int kEffectCount = 163;
// The effects there were before the fades: a stored list of every effect then held exactly these.
constexpr int kHistoricalEffectCount = 161;

#pragma once
// Internal to the stretch: destination rows of a filtered stretch made from its axis maps, with AVX-512 or AVX2
// where the processor has them (see StretchRowsWide.h), SSE2 where the compiler offers it, a plain loop of the
// same arithmetic elsewhere.
#include <cstddef>
#include <cstdint>

#include "gfx/StretchAxis.h"

constexpr int kRowShift = 7; // rows combined keep 7 fraction bits: 255 << 7 still fits an int16

// Rows: the sum of weight * channel c of pixel `from + p` of each tap row, for p in [0, count). Taps come in
// pairs (rows[2n], rows[2n + 1] with pairWeight[n]). Kept with 7 fraction bits, (sum + 64) >> 7, four int16 per
// pixel, for the columns to combine:
void CombineRows(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count, int16_t* out);
// or, where the columns need no filter, rounded straight to pixels.
void CombineRowsToPixels(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                         uint32_t* out);

// Columns of a combined row (4 values per source pixel from spanLo on, with 7 fraction bits) into pixels.
// Columns whose source lies outside the picture are skipped.
void CombineColumns(const int16_t* row, const AxisMap& xs, bool allValid, uint32_t* out);
// Columns of one source row straight into pixels (the rows need no combining).
void FilterColumns(const uint32_t* row, const AxisMap& xs, bool allValid, uint32_t* out);
// Pixels copied with their unused byte cleared, as every filtered pixel has it.
void CopyPixels(const uint32_t* from, size_t count, uint32_t* out);

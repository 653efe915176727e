#pragma once
// The wide rows and columns of a filtered stretch with AVX-512: twice the AVX2 paths' width, the same arithmetic.
// Only where QM_WIDE_ROWS is defined; the caller asks Has512() first.
#include <cstdint>

#include "gfx/StretchRowsWide.h"

#if defined(QM_WIDE_ROWS)
bool Has512();
int CombinedRows512(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                    int16_t* out);
int PixelRows512(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count, uint32_t* out);
int RunColumns512(const int16_t* row, const ColumnRuns& runs, int spanLo, int count, uint32_t* out);
int Widened512(const uint32_t* row, int count, int16_t* out);
#endif

#pragma once
#include <cstdint>

// Rows (and the common columns) of a filtered stretch combined eight pixels at a time with AVX2, on processors that
// have it. Each makes the leading pixels of [0, count) with the same arithmetic as the stretch's own loop and returns
// how many it made (a multiple of 8; 0 without AVX2), so the caller finishes the rest.
//   rows[t]: tap rows read from pixel `from` on; pairWeight[n]: weights of rows 2n and 2n + 1 as 16-bit
//   halves; taps: an even number.
// Combined values: (sum + 64) >> 7, four int16 per pixel.
int CombineRowsWide(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                    int16_t* out);
// Pixels: (sum + 8192) >> 14 per channel, saturated to a byte, the fourth byte cleared.
int CombineRowsWideToPixels(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                            uint32_t* out);

// Columns of a combined row (four int16 per source pixel from spanLo on) into pixels, for destination pixels
// i = at, at + 1, ... while the four-pixel groups from i on (i / 4 and the next) each take one pair of
// neighbouring values (adjacentQuad) and i + 8 <= count. Returns the pixel it stopped at (at without AVX2).
int CombineAdjacentColumnsWide(const int16_t* row, const int* tapIndex, const int* tapStart, const int32_t* pairWeight,
                               const uint8_t* adjacentQuad, int spanLo, int at, int count, uint32_t* out);

// The same from a row of pixels (the rows needed no combining).
int FilterAdjacentColumnsWide(const uint32_t* row, const int* tapIndex, const int* tapStart, const int32_t* pairWeight,
                              const uint8_t* adjacentQuad, int at, int count, uint32_t* out);

// Whether the wide rows are used where the processor has them (on by default); for comparing both ways.
void UseWideRows(bool use);

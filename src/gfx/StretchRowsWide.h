#pragma once
#include <cstddef>
#include <cstdint>

// The wide paths exist where GCC or Clang build for x86, but not on Windows: GCC there does not align the stack
// for spilled 32-byte values (its bug 54412).
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__)) && !defined(_WIN32)
#define QM_WIDE_ROWS 1
#endif

// Rows and columns of a filtered stretch made eight pixels at a time with AVX2, sixteen (rows) with AVX-512, on
// processors that have them. Each makes the leading pixels of [0, count) with the same arithmetic as the stretch's
// own loop and returns how many it made (a multiple of 8; 0 without AVX2), so the caller finishes the rest.
//   rows[t]: tap rows read from pixel `from` on; pairWeight[n]: weights of rows 2n and 2n + 1 as 16-bit
//   halves; taps: an even number.
// Combined values: (sum + 64) >> 7, four int16 per pixel.
int CombineRowsWide(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                    int16_t* out);
// Pixels: (sum + 8192) >> 14 per channel, saturated to a byte, the fourth byte cleared.
int CombineRowsWideToPixels(const uint32_t* const* rows, const int32_t* pairWeight, int taps, int from, int count,
                            uint32_t* out);

// A stretch's columns as runs of neighbouring source values. Destination pixel i takes taps[i / 8] values (an
// even number, one for each group of eight pixels) from start[i] on, weighted in pairs: pair n of pixel i has
// its two 16-bit weights in weights[at[i / 8] + 8 * n + i % 8], so a group's pixels have theirs side by side.
constexpr int kRunGroup = 8;
struct ColumnRuns {
    const int* start;
    const int* taps;
    const int* at;
    const int32_t* weights;
};

// Where in the weights the first pair of pixel i's run is (pair n: 8 n further).
inline size_t RunWeightIndex(const int* at, int i)
{
    return static_cast<size_t>(at[i / kRunGroup]) + static_cast<size_t>(i % kRunGroup);
}

// Columns of a combined row into pixels through their runs, the leading pixels of [0, count) in groups of eight, as
// the others.
int CombineRunColumnsWide(const int16_t* row, const ColumnRuns& runs, int spanLo, int count, uint32_t* out);

// Whether the wide paths are taken (the processor has AVX2 and they are switched on).
bool WideRows();

// A row of pixels as combined values: each channel << 7, as one row of full weight gives.
void WidenRow(const uint32_t* row, int count, int16_t* out);

// Whether the wide paths are used where the processor has them (on by default), and whether they go up to AVX-512
// (on by default; off, they stay at AVX2): for comparing every way.
void UseWideRows(bool use);
void UseWidestRows(bool use);

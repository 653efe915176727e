#pragma once
// Internal to the stretch: which source pixels, with which weights, make each destination pixel of one axis.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/StretchRowsWide.h"

constexpr int kWeightBits = 14; // weights of one destination pixel add up to 1 << 14
constexpr int32_t kWeightOne = 1 << kWeightBits;

// One axis of a stretch: `dest` destination pixels made from `src` source pixels starting at srcPos in a
// source axis of srcSize pixels. destNegative and srcNegative tell which extents were given negative.
struct AxisSpec {
    int64_t dest;
    int64_t src;
    int64_t srcPos;
    int srcSize;
    bool destNegative;
    bool srcNegative;
    bool vertical;
};

// How the visible destination pixels [from, to) of an axis are made.
struct AxisMap {
    std::vector<int> nearest;        // the source pixel each takes; -1 where it lies outside the source
    std::vector<int> first, last;    // source pixels [first, last) a reduction merges into each
    std::vector<int> tapStart;       // HALFTONE: taps [tapStart[i], tapStart[i + 1]), an even number
    std::vector<int> tapIndex;       // source pixel of each tap
    std::vector<int32_t> pairWeight; // weights of taps 2n and 2n + 1 as two 16-bit halves
    std::vector<int16_t> tapWeight;
    // HALFTONE: per four destination pixels from 4n on, whether each takes one pair of neighbouring pixels
    std::vector<uint8_t> adjacentQuad;
    // HALFTONE: the taps again as runs of neighbouring source pixels (see ColumnRuns); none (runTaps 0) where
    // the source span is narrower than a run. runTaps: the longest run.
    int runTaps = 0;
    std::vector<int> runStart, groupTaps, groupWeightAt;
    std::vector<int32_t> runWeight;
    ColumnRuns Runs() const { return {runStart.data(), groupTaps.data(), groupWeightAt.data(), runWeight.data()}; }
    // A large enlargement picking one pixel: destination pixels [at, at + count) all take source pixel
    // `source`, filled as runs rather than looked up one by one. Empty where the runs would be short.
    struct NearestRun {
        int at, count, source;
    };
    std::vector<NearestRun> nearestRuns;
    bool reduce = false;
    bool identity = false;      // destination pixel i is source pixel nearest[0] + i: a plain copy
    int spanLo = 0, spanHi = 0; // source pixels the taps read
    size_t Size() const { return nearest.size(); }
};

// Maps the visible destination pixels [from, to) of an axis for a stretch in `mode` (a stretch mode).
AxisMap BuildAxis(const AxisSpec& a, int64_t from, int64_t to, int mode);

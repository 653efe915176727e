#pragma once

// Source of the pseudo-random numbers used to pick effects and backgrounds; replaceable so that picks
// can be reproduced.
class IRandom {
public:
    virtual ~IRandom() = default;
    // A non-negative number, as the C library's rand() gives.
    virtual int Next() = 0;
};

// The C library's generator (seeded by whoever owns the run).
IRandom& StandardRandom();

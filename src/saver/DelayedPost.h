#pragma once
#include <cstdint>

// Posting a message to the window after a delay; used by players that report on their own schedule.
class IDelayedPost {
public:
    virtual ~IDelayedPost() = default;
    // Returns a ticket (never 0) that Cancel takes.
    virtual uint64_t PostAfter(uint32_t ms, uint32_t message) = 0;
    virtual void Cancel(uint64_t ticket) = 0;
};

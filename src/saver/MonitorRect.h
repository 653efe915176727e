#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct MonitorArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const MonitorArea&) const = default;
};

// Monitors as the enumeration reports them; only the first kMaxMonitors are recorded.
class MonitorTable {
public:
    static constexpr size_t kMaxMonitors = 20;
    // Takes a monitor's rectangle as left, top, right, bottom.
    void Add(int32_t left, int32_t top, int32_t right, int32_t bottom);
    const std::vector<MonitorArea>& Areas() const { return areas_; }

private:
    std::vector<MonitorArea> areas_;
};

// Monitor n (1-based, enumeration order), or the virtual screen from (0, 0) for 0, a negative number or one
// beyond the monitors recorded.
MonitorArea ChooseMonitorArea(int32_t n, const MonitorTable& monitors, int32_t virtualWidth, int32_t virtualHeight);

// The platform's answer for monitor n (enumerates only when n is not 0).
MonitorArea GetMonitorRect(int32_t n);

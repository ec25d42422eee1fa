#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace velk::monitor {

// A CPU summary record; filled by its users.
struct CPUStats {
    double usagePercent = 0;
    int coreCount = 0;
    QString model;
    std::optional<double> temperature;  // degrees Celsius

    friend bool operator==(const CPUStats&, const CPUStats&) = default;
};

// Reads the host's CPU load counters, core count, brand and uptime.
class CPUService {
public:
    // Counters summed over all logical CPUs since boot, in scheduler ticks.
    struct HostTicks {
        std::uint64_t user = 0;    // user plus nice
        std::uint64_t system = 0;
        std::uint64_t idle = 0;

        std::uint64_t busy() const { return user + system; }
        std::uint64_t total() const { return user + system + idle; }
        friend bool operator==(const HostTicks&, const HostTicks&) = default;
    };

    // Counters of one logical CPU.
    struct CoreTicks {
        std::uint64_t busy = 0;    // user + system + nice
        std::uint64_t total = 0;   // busy + idle
        friend bool operator==(const CoreTicks&, const CoreTicks&) = default;
    };

    // All zeros when the counters cannot be read.
    static HostTicks ticks();
    // One entry per logical CPU; empty when the counters cannot be read.
    static std::vector<CoreTicks> perCoreTicks();
    // Logical CPUs; 0 when unknown.
    static int coreCount();
    // The CPU brand text; empty when unknown.
    static QString modelName();
    // Seconds since boot.
    static double uptime();
};

} // namespace velk::monitor

#pragma once

#include <cstdint>

namespace velk::monitor {

// Memory and swap in bytes.
struct MemoryStats {
    std::uint64_t total = 0;       // physical memory
    std::uint64_t used = 0;        // active + wired + compressed + speculative
    std::uint64_t free = 0;        // free + inactive
    std::uint64_t wired = 0;
    std::uint64_t compressed = 0;
    std::uint64_t app = 0;         // active + speculative
    std::uint64_t cached = 0;      // inactive
    std::uint64_t swapUsed = 0;

    // Fractions of total between 0 and 1; 0 when total is 0.
    double usedPercent() const;
    double freePercent() const;

    friend bool operator==(const MemoryStats&, const MemoryStats&) = default;
};

class MemoryService {
public:
    // Only total is filled when the page counts cannot be read.
    static MemoryStats currentStats();
};

} // namespace velk::monitor

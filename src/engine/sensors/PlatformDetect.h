#pragma once

#include "engine/sensors/Platform.h"

#include <QString>
#include <functional>
#include <mutex>
#include <optional>

namespace velk::sensors {

// Which chip the machine has, from the CPU's brand text.
class PlatformDetect {
public:
    // How a brand that names no known chip is read.
    enum class Rules {
        // The maker's own systems: every such brand counts as an m4.
        macProfile,
        // Elsewhere only Intel brands and brands naming the maker's chips
        // name a chip; any other brand gives none.
        linuxProfile,
    };

    // The chip of a brand text under `rules`.
    static std::optional<Platform> fromBrand(const QString& brand, Rules rules);

    // The machine's chip, detected once per run (brand from the host probe,
    // Linux rules) and then cached. Safe from any thread.
    static std::optional<Platform> current();
};

// One detection with its cache: the brand is read at most once.
class PlatformDetector {
public:
    PlatformDetector(std::function<QString()> brand, PlatformDetect::Rules rules);
    std::optional<Platform> current();

private:
    std::function<QString()> m_brand;
    PlatformDetect::Rules m_rules;
    std::mutex m_lock;
    bool m_detected = false;
    std::optional<Platform> m_cached;
};

} // namespace velk::sensors

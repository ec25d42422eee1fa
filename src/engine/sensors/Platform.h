#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace velk::sensors {

// The processor chips whose sensor keys the catalogs know, in declaration
// order. The raw value of each is its own name.
enum class Platform {
    intel,
    m1, m1Pro, m1Max, m1Ultra,
    m2, m2Pro, m2Max, m2Ultra,
    m3, m3Pro, m3Max, m3Ultra,
    m4, m4Pro, m4Max,
    m5, m5Pro, m5Max, m5Ultra,
    m6, m6Pro, m6Max,
    a18Pro,
};

inline constexpr int kPlatformCount = 24;

QString rawValue(Platform platform);
// The chip of a raw value (case-sensitive); nothing for any other text.
std::optional<Platform> platformFromRawValue(const QString& raw);

// Chip families, in their element order.
namespace platforms {
const std::vector<Platform>& m1Gen();
const std::vector<Platform>& m2Gen();
const std::vector<Platform>& m3Gen();
const std::vector<Platform>& m4Gen();
const std::vector<Platform>& m5Gen();
const std::vector<Platform>& m6Gen();
// Every chip but intel, in declaration order.
const std::vector<Platform>& apple();
// apple() followed by intel.
const std::vector<Platform>& all();
} // namespace platforms

} // namespace velk::sensors

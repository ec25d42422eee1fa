#include "engine/sensors/Platform.h"

#include <array>

namespace velk::sensors {

namespace {
constexpr std::array<const char*, kPlatformCount> kRawValues{
    "intel", "m1", "m1Pro", "m1Max", "m1Ultra", "m2", "m2Pro", "m2Max", "m2Ultra", "m3", "m3Pro", "m3Max",
    "m3Ultra", "m4", "m4Pro", "m4Max", "m5", "m5Pro", "m5Max", "m5Ultra", "m6", "m6Pro", "m6Max", "a18Pro",
};

std::vector<Platform> range(Platform first, Platform last)
{
    std::vector<Platform> out;
    for (int p = static_cast<int>(first); p <= static_cast<int>(last); ++p)
        out.push_back(static_cast<Platform>(p));
    return out;
}
} // namespace

QString rawValue(Platform platform)
{
    return QLatin1String(kRawValues[static_cast<std::size_t>(platform)]);
}

std::optional<Platform> platformFromRawValue(const QString& raw)
{
    for (std::size_t i = 0; i < kRawValues.size(); ++i) {
        if (raw == QLatin1String(kRawValues[i]))
            return static_cast<Platform>(i);
    }
    return std::nullopt;
}

namespace platforms {

const std::vector<Platform>& m1Gen()
{
    static const auto list = range(Platform::m1, Platform::m1Ultra);
    return list;
}
const std::vector<Platform>& m2Gen()
{
    static const auto list = range(Platform::m2, Platform::m2Ultra);
    return list;
}
const std::vector<Platform>& m3Gen()
{
    static const auto list = range(Platform::m3, Platform::m3Ultra);
    return list;
}
const std::vector<Platform>& m4Gen()
{
    static const auto list = range(Platform::m4, Platform::m4Max);
    return list;
}
const std::vector<Platform>& m5Gen()
{
    static const auto list = range(Platform::m5, Platform::m5Ultra);
    return list;
}
const std::vector<Platform>& m6Gen()
{
    static const auto list = range(Platform::m6, Platform::m6Max);
    return list;
}
const std::vector<Platform>& apple()
{
    static const auto list = range(Platform::m1, Platform::a18Pro);
    return list;
}
const std::vector<Platform>& all()
{
    static const auto list = [] {
        auto l = apple();
        l.push_back(Platform::intel);
        return l;
    }();
    return list;
}

} // namespace platforms
} // namespace velk::sensors

#pragma once

#include <QtGlobal>
#include <optional>
#include <vector>

namespace velk::sensors {

// One fan as the monitor shows it.
struct FanReading {
    qint64 id = 0;
    qint64 rpm = 0;
    qint64 maxRPM = 1;

    // Share of the maximum speed, 0…1; 0 for a fan without a usable maximum.
    double load() const
    {
        if (maxRPM < 1)
            return 0.0;
        const double share = static_cast<double>(rpm) / static_cast<double>(maxRPM);
        return share < 0.0 ? 0.0 : (share > 1.0 ? 1.0 : share);
    }

    bool operator==(const FanReading&) const = default;
};

// The thermal picture of one sampling tick: the hottest CPU temperature and
// the fans.
struct ThermalStats {
    std::optional<double> cpuCelsius;
    std::vector<FanReading> fans;

    static ThermalStats empty() { return {}; }

    bool operator==(const ThermalStats&) const = default;
};

} // namespace velk::sensors

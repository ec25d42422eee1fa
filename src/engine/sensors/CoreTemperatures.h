#pragma once

#include "engine/sensors/Sensor.h"

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace velk::sensors {

// One logical CPU's temperature and the sensor it came from.
struct LogicalCoreThermal {
    int index = 0;
    std::optional<double> celsius;
    std::optional<QString> source;

    friend bool operator==(const LogicalCoreThermal&, const LogicalCoreThermal&) = default;
};

// The number a sensor name ends in ("...Sensor12" gives 12); nothing when it
// ends in no number or the number does not parse as a 64-bit integer.
std::optional<qint64> trailingSensorIndex(const QString& name);

class CoreTemperatures {
public:
    // Where the per-core mapping reads from.
    struct Sources {
        std::function<std::optional<double>(const QString& key)> controllerValue;
        std::function<std::vector<SensorEntry>()> engineSensors;
        // Logical CPUs of the first performance level; 0 when unknown.
        std::function<int()> performanceLevelCpus;
        std::function<std::map<QString, double>()> hidReadings;
    };

    // One entry per logical CPU, filled from the controller's per-core keys,
    // then the engine's CPU temperatures, then the HID readings, then any
    // leftover HID reading by name. A count below 1 gives an empty list.
    static std::vector<LogicalCoreThermal> perCore(int logicalCount);
    static std::vector<LogicalCoreThermal> perCore(int logicalCount, const Sources& sources);

    // The machine's sources: the shared controller client and engine, and
    // the HID temperatures of page 0xFF00, usage 5.
    static Sources machineSources();
};

} // namespace velk::sensors

#pragma once

#include "engine/sensors/Platform.h"
#include "engine/sensors/Sensor.h"
#include "engine/sensors/ThermalStats.h"

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace velk::sensors {

class SMC;

// Turns the controller into one list of readings: discovers the machine's
// keys and fans once, names them from the catalog, adds the computed CPU
// average and hottest temperatures, and refreshes the values on request.
// Refreshing works on each caller's own copy; any thread may call.
class SensorsEngine {
public:
    using PlatformSource = std::function<std::optional<Platform>()>;

    explicit SensorsEngine(SMC& smc, PlatformSource platform = {});

    // The engine over the shared controller client and the detected chip.
    static SensorsEngine& shared();

    // The hottest CPU temperature and every fan, refreshed.
    ThermalStats thermalSnapshot();
    // The whole list with fresh values.
    std::vector<SensorEntry> materializedSensors();
    // The list as discovered (built on first use), with its first values.
    std::vector<SensorEntry> sensorsList();

    // "Average CPU" and "Hottest CPU" over the CPU temperatures that count
    // towards the average, when any lies strictly between 0 and 110.
    static std::vector<SensorEntry> initCalculatedSensors(const std::vector<SensorEntry>& list);
    // Recomputes the two from the values within 10 to 120 °C; leaves them
    // as they are when there are none.
    static void updateCalculated(std::vector<SensorEntry>& list);
    void refreshValues(std::vector<SensorEntry>& list);

private:
    std::vector<SensorEntry> buildSensors();
    std::vector<Fan> buildFans();

    SMC& m_smc;
    PlatformSource m_platform;
    std::mutex m_lock;
    std::optional<std::vector<SensorEntry>> m_cachedSensors;
};

} // namespace velk::sensors

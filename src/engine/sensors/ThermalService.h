#pragma once

#include "engine/sensors/ThermalStats.h"

namespace velk::sensors {

// Reduces the machine's sensors to the thermal picture of one tick. Safe to
// call from any thread.
class ThermalService {
public:
    static ThermalStats snapshot();
};

} // namespace velk::sensors

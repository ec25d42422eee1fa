#pragma once

#include "engine/sensors/Sensor.h"

#include <vector>

namespace velk::sensors {

// The controller keys the engine can name: for each, the display name, the
// group, the type, the chips that have it and whether it counts towards the
// CPU average. A "%" in a key stands for one digit; in the name it becomes
// the running number of the keys found for that row. Built once.
const std::vector<Sensor>& sensorsCatalog();

// Temperature readings of the HID event system, by product-name pattern.
const std::vector<Sensor>& hidSensorsCatalog();

} // namespace velk::sensors

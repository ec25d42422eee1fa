#pragma once

#include "platform/sensors/BatteryRegistry.h"

#include <QVariantMap>

namespace velk::gallery {

// The battery the gallery's battery page shows, the same on every machine:
// 87 %, on AC power, 1234 cycles, 78 % health, an empty device name.
QVariantMap sampleBattery();

class SampleBattery final : public platform::sensors::BatteryRegistry {
public:
    std::optional<QVariantMap> batteryProperties() const override { return sampleBattery(); }
};

} // namespace velk::gallery

#pragma once

#include "platform/sensors/BatteryRegistry.h"

#include <QVariantMap>

class QQmlEngine;

namespace velk::gallery {

// Makes `import Velk.Gallery` (and the modules whose views it shows)
// available in `engine`.
void prepareQmlEngine(QQmlEngine& engine);

// The battery the gallery's battery page shows, the same on every machine:
// 87 %, on AC power, 1234 cycles, 78 % health, an empty device name.
QVariantMap sampleBattery();

class SampleBattery final : public platform::sensors::BatteryRegistry {
public:
    std::optional<QVariantMap> batteryProperties() const override { return sampleBattery(); }
};

} // namespace velk::gallery

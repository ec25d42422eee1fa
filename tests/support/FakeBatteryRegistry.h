#pragma once

#include "platform/sensors/BatteryRegistry.h"

namespace velk::test {

// Battery double: hands out `properties` (absent: no battery) and counts
// the reads.
class FakeBatteryRegistry final : public platform::sensors::BatteryRegistry {
public:
    std::optional<QVariantMap> properties;
    mutable int reads = 0;

    std::optional<QVariantMap> batteryProperties() const override
    {
        ++reads;
        return properties;
    }
};

} // namespace velk::test

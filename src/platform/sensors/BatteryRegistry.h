#pragma once

#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

namespace velk::platform::sensors {

// The internal battery's property set, keyed and scaled the way the battery
// reader expects (capacities in mAh, voltage in mV, current in mA, negative
// while discharging, time in minutes). Built from the kernel's power-supply
// class: the first supply of type "Battery" that belongs to the machine
// (scope other than "Device"), and any online mains or USB supply as the
// adapter. Keys the kernel does not report are left out.
class BatteryRegistry {
public:
    virtual ~BatteryRegistry() = default;
    // Absent when the machine has no battery.
    virtual std::optional<QVariantMap> batteryProperties() const = 0;

    static std::shared_ptr<BatteryRegistry> createDefault();
    // Reads <sysfsRoot>/class/power_supply.
    static std::shared_ptr<BatteryRegistry> fromSysfs(const QString& sysfsRoot);
};

} // namespace velk::platform::sensors

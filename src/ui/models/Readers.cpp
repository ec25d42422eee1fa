#include "ui/models/Readers.h"

namespace velk::models {

BatteryReading Readers::battery() const
{
    return BatteryReading(monitor::BatteryService::current());
}

MachineProfileReading Readers::machineProfile() const
{
    return MachineProfileReading(monitor::SystemInfoService::machineProfile());
}

QString Readers::deviceKind() const
{
    return toRawValue(monitor::currentMacDeviceKind());
}

} // namespace velk::models

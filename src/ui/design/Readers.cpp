#include "ui/design/Readers.h"

namespace velk::design {

BatteryReading Readers::battery() const
{
    return BatteryReading(BatteryService::current());
}

MachineProfileReading Readers::machineProfile() const
{
    return MachineProfileReading(SystemInfoService::machineProfile());
}

QString Readers::deviceKind() const
{
    return toRawValue(currentMacDeviceKind());
}

} // namespace velk::design

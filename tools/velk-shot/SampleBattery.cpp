#include "SampleBattery.h"

namespace velk::gallery {

QVariantMap sampleBattery()
{
    return {
        {"CurrentCapacity", 87},
        {"CycleCount", 1234},
        {"IsCharging", false},
        {"ExternalConnected", true},
        {"FullyCharged", false},
        {"AtCriticalLevel", false},
        {"Serial", "F5D2281TQ7"},
        {"DeviceName", ""},
        {"BatteryData", QVariantMap{{"DesignCapacity", 4563}, {"FullChargeCapacity", 3560}, {"MaxCapacity", 78}}},
        {"ManufacturerData", QByteArray::fromHex("0a1b2c3d4e5f60718293")},
    };
}

} // namespace velk::gallery

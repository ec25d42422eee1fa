#pragma once

#include "engine/monitor/CPUService.h"
#include "engine/sensors/CoreTemperatures.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace velk::monitor {

// What the System Info screen shows about the machine.
struct MachineProfile {
    QString hostName;        // "—" when the machine has none
    QString osVersion;       // name and version of the running system
    QString chip;            // CPU brand
    QString memoryGB;        // "16 GB"
    QString architecture;
    std::optional<QString> platformLabel;  // detected chip family, if any

    friend bool operator==(const MachineProfile&, const MachineProfile&) = default;
};

// The kind of machine, from its model identifier.
enum class MacDeviceKind { macBook, iMac, macMini, macStudio, macPro, unknown };

QString toRawValue(MacDeviceKind kind);
std::optional<MacDeviceKind> macDeviceKindFromRawValue(const QString& raw);
// Classifies a model identifier; anything unrecognised counts as a laptop.
MacDeviceKind macDeviceKindForModel(const QString& modelIdentifier);
// The kind of this machine.
MacDeviceKind currentMacDeviceKind();

class SystemInfoService {
public:
    static MachineProfile machineProfile();

    // Busy fraction of each logical CPU between two tick readings; empty
    // when the first is empty or the CPU count changed.
    static std::vector<double> usageBetween(const std::vector<CPUService::CoreTicks>& first,
                                            const std::vector<CPUService::CoreTicks>& second);
    // Reads the per-core ticks, waits 0.35 s on the platform clock without
    // blocking, reads again and hands the fractions to `done` on `context`'s
    // thread (dropped when `context` is gone).
    static void perCoreUsage(QObject* context, std::function<void(std::vector<double>)> done);

    // The temperature of each logical CPU and the sensor it came from.
    static std::vector<sensors::LogicalCoreThermal> perCoreTemperatures(int logicalCount);

    // "%.0f GB" of bytes in units of 2^30.
    static QString memoryText(std::uint64_t bytes);
};

} // namespace velk::monitor

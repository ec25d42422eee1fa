#pragma once

#include "engine/monitor/BatteryService.h"
#include "engine/monitor/DiskService.h"
#include "engine/monitor/SystemInfoService.h"
#include "engine/sensors/ThermalStats.h"

#include <QList>
#include <QString>

namespace velk::screens {

// A text in both interface languages; the same text twice when it does not
// depend on the language.
struct TextPair {
    QString zh;
    QString en;

    friend bool operator==(const TextPair&, const TextPair&) = default;
};

// One label/value line of a group, known by its key.
struct InfoRow {
    QString key;
    TextPair label;
    TextPair value;

    friend bool operator==(const InfoRow&, const InfoRow&) = default;
};

// The rows of the System Info screen's groups: a row whose value is not
// known is left out.
namespace inforows {

// Chip, system, architecture, chip family (when detected), memory, host,
// logical CPUs and uptime.
QList<InfoRow> machine(const monitor::MachineProfile& profile, int cpuCores, double uptimeSeconds);
// Used, free and total in the 1024-based style, and the used ratio.
QList<InfoRow> storage(const monitor::DiskInfo& disk);
// Level, status, cycles, maximum capacity, condition, capacity, time
// remaining (known and not charging) and device (named).
QList<InfoRow> battery(const monitor::BatteryStatus& status);
// The CPU temperature when known, then one row per fan, numbered by id + 1.
QList<InfoRow> cooling(const sensors::ThermalStats& thermal);

// The battery page's three groups, every row always present: "—" for a
// figure or text the battery does not report.
QList<InfoRow> batteryCharge(const monitor::BatteryStatus& status);
QList<InfoRow> batteryHealth(const monitor::BatteryStatus& status);
QList<InfoRow> batteryModel(const monitor::BatteryStatus& status);

} // namespace inforows

} // namespace velk::screens

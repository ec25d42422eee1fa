#pragma once

#include "engine/monitor/BatteryService.h"
#include "engine/monitor/SystemInfoService.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

namespace velk::models {

// One battery reading as the views show it. `present` is false on a machine
// without a battery (every other field is then empty). Figures the battery
// does not report are undefined in QML.
struct BatteryReading {
    Q_GADGET
    QML_VALUE_TYPE(batteryReading)
    Q_PROPERTY(bool present READ present CONSTANT)
    Q_PROPERTY(int percent READ percent CONSTANT)
    Q_PROPERTY(bool charging READ charging CONSTANT)
    Q_PROPERTY(bool externalPower READ externalPower CONSTANT)
    Q_PROPERTY(bool fullyCharged READ fullyCharged CONSTANT)
    Q_PROPERTY(bool belowWarning READ belowWarning CONSTANT)
    Q_PROPERTY(QVariant cycles READ cycles CONSTANT)
    Q_PROPERTY(QVariant designCycles READ designCycles CONSTANT)
    Q_PROPERTY(QVariant designCapacity READ designCapacity CONSTANT)
    Q_PROPERTY(QVariant fullCapacity READ fullCapacity CONSTANT)
    Q_PROPERTY(QVariant healthPercent READ healthPercent CONSTANT)
    // "service" below 80 percent health, else "normal".
    Q_PROPERTY(QVariant condition READ condition CONSTANT)
    Q_PROPERTY(double voltage READ voltage CONSTANT)
    Q_PROPERTY(double amperage READ amperage CONSTANT)
    Q_PROPERTY(QVariant powerWatts READ powerWatts CONSTANT)
    Q_PROPERTY(QVariant minutesRemaining READ minutesRemaining CONSTANT)
    Q_PROPERTY(QVariant adapterName READ adapterName CONSTANT)
    Q_PROPERTY(QVariant adapterWatts READ adapterWatts CONSTANT)
    Q_PROPERTY(QVariant serial READ serial CONSTANT)
    Q_PROPERTY(QVariant deviceName READ deviceName CONSTANT)
    Q_PROPERTY(QVariant firmware READ firmware CONSTANT)
    Q_PROPERTY(QVariant hardwareRevision READ hardwareRevision CONSTANT)
    Q_PROPERTY(QVariant cellRevision READ cellRevision CONSTANT)
    Q_PROPERTY(QVariant packLot READ packLot CONSTANT)
    Q_PROPERTY(QVariant pcbLot READ pcbLot CONSTANT)

public:
    BatteryReading() = default;
    explicit BatteryReading(std::optional<monitor::BatteryStatus> status)
        : m_status(std::move(status))
    {
    }

    const std::optional<monitor::BatteryStatus>& status() const { return m_status; }

    bool present() const { return m_status.has_value(); }
    int percent() const { return m_status ? m_status->percent : 0; }
    bool charging() const { return m_status && m_status->charging; }
    bool externalPower() const { return m_status && m_status->externalPower; }
    bool fullyCharged() const { return m_status && m_status->fullyCharged; }
    bool belowWarning() const { return m_status && m_status->belowWarning; }
    QVariant cycles() const { return m_status ? optional(m_status->cycles) : QVariant(); }
    QVariant designCycles() const { return m_status ? optional(m_status->designCycles) : QVariant(); }
    QVariant designCapacity() const { return m_status ? optional(m_status->designmAh) : QVariant(); }
    QVariant fullCapacity() const { return m_status ? optional(m_status->fullmAh) : QVariant(); }
    QVariant healthPercent() const { return m_status ? optional(m_status->healthPercent) : QVariant(); }
    QVariant condition() const { return m_status ? optional(m_status->conditionKey()) : QVariant(); }
    double voltage() const { return m_status ? m_status->voltageV : 0.0; }
    double amperage() const { return m_status ? m_status->amperageA : 0.0; }
    QVariant powerWatts() const { return m_status ? optional(m_status->powerWatts) : QVariant(); }
    QVariant minutesRemaining() const { return m_status ? optional(m_status->minutesRemaining) : QVariant(); }
    QVariant adapterName() const { return m_status ? optional(m_status->adapterName) : QVariant(); }
    QVariant adapterWatts() const { return m_status ? optional(m_status->adapterWatts) : QVariant(); }
    QVariant serial() const { return m_status ? optional(m_status->serial) : QVariant(); }
    QVariant deviceName() const { return m_status ? optional(m_status->deviceName) : QVariant(); }
    QVariant firmware() const { return m_status ? optional(m_status->firmware) : QVariant(); }
    QVariant hardwareRevision() const { return m_status ? optional(m_status->hardwareRevision) : QVariant(); }
    QVariant cellRevision() const { return m_status ? optional(m_status->cellRevision) : QVariant(); }
    QVariant packLot() const { return m_status ? optional(m_status->packLot) : QVariant(); }
    QVariant pcbLot() const { return m_status ? optional(m_status->pcbLot) : QVariant(); }

    friend bool operator==(const BatteryReading&, const BatteryReading&) = default;

private:
    template <class T>
    static QVariant optional(const std::optional<T>& value)
    {
        return value ? QVariant::fromValue(*value) : QVariant();
    }

    std::optional<monitor::BatteryStatus> m_status;
};

// The machine profile as the views show it.
struct MachineProfileReading {
    Q_GADGET
    QML_VALUE_TYPE(machineProfile)
    Q_PROPERTY(QString hostName READ hostName CONSTANT)
    Q_PROPERTY(QString osVersion READ osVersion CONSTANT)
    Q_PROPERTY(QString chip READ chip CONSTANT)
    Q_PROPERTY(QString memoryGB READ memoryGB CONSTANT)
    Q_PROPERTY(QString architecture READ architecture CONSTANT)
    // Empty when no chip family was detected.
    Q_PROPERTY(QString platformLabel READ platformLabel CONSTANT)

public:
    MachineProfileReading() = default;
    explicit MachineProfileReading(monitor::MachineProfile profile)
        : m_profile(std::move(profile))
    {
    }

    const monitor::MachineProfile& profile() const { return m_profile; }
    QString hostName() const { return m_profile.hostName; }
    QString osVersion() const { return m_profile.osVersion; }
    QString chip() const { return m_profile.chip; }
    QString memoryGB() const { return m_profile.memoryGB; }
    QString architecture() const { return m_profile.architecture; }
    QString platformLabel() const { return m_profile.platformLabel.value_or(QString()); }

    friend bool operator==(const MachineProfileReading&, const MachineProfileReading&) = default;

private:
    monitor::MachineProfile m_profile;
};

// The engine's one-shot readers for the views: the battery, the machine
// profile and the kind of machine. Each call reads the system anew, on the
// calling (main) thread; views call them when their Part says (on appear, on
// refresh), never from a binding that re-evaluates on every repaint.
class Readers : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    Q_INVOKABLE velk::models::BatteryReading battery() const;
    Q_INVOKABLE velk::models::MachineProfileReading machineProfile() const;
    // The raw value of the machine's kind: "macBook", "iMac", "macMini",
    // "macStudio" or "macPro".
    Q_INVOKABLE QString deviceKind() const;
};

} // namespace velk::models

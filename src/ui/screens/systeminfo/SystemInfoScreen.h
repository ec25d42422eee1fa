#pragma once

#include "engine/monitor/BatteryService.h"
#include "engine/monitor/SystemInfoService.h"
#include "engine/monitor/SystemMonitor.h"
#include "ui/screens/systeminfo/InfoRowListModel.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>
#include <optional>

namespace velk::screens {

// What the System Info screen shows: the machine profile and the battery,
// read once when the screen is made and again only by refresh(), and the
// monitor's live figures, which follow every sample.
class SystemInfoScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velk::monitor::SystemMonitor* monitor READ monitor WRITE setMonitor NOTIFY monitorChanged)
    Q_PROPERTY(velk::screens::InfoRowListModel* machine READ machine CONSTANT)
    Q_PROPERTY(velk::screens::InfoRowListModel* storage READ storage CONSTANT)
    Q_PROPERTY(velk::screens::InfoRowListModel* battery READ battery CONSTANT)
    Q_PROPERTY(velk::screens::InfoRowListModel* cooling READ cooling CONSTANT)
    // A battery was found at the last read.
    Q_PROPERTY(bool hasBattery READ hasBattery NOTIFY hasBatteryChanged)
    // The monitor reports a CPU temperature or a fan.
    Q_PROPERTY(bool hasCooling READ hasCooling NOTIFY hasCoolingChanged)

public:
    explicit SystemInfoScreen(QObject* parent = nullptr);

    monitor::SystemMonitor* monitor() const { return m_monitor; }
    void setMonitor(monitor::SystemMonitor* monitor);
    InfoRowListModel* machine() { return &m_machine; }
    InfoRowListModel* storage() { return &m_storage; }
    InfoRowListModel* battery() { return &m_battery; }
    InfoRowListModel* cooling() { return &m_cooling; }
    bool hasBattery() const { return m_status.has_value(); }
    bool hasCooling() const { return m_cooling.rowCount() > 0; }

    // Reads the profile and the battery again and asks the monitor for a
    // sample (which it may ignore).
    Q_INVOKABLE void refresh();

signals:
    void monitorChanged();
    void hasBatteryChanged();
    void hasCoolingChanged();

private:
    void showMachine();
    void showStorage();
    void showBattery();
    void showCooling();

    QPointer<monitor::SystemMonitor> m_monitor;
    QMetaObject::Connection m_connections[3];
    monitor::MachineProfile m_profile;
    std::optional<monitor::BatteryStatus> m_status;
    InfoRowListModel m_machine;
    InfoRowListModel m_storage;
    InfoRowListModel m_battery;
    InfoRowListModel m_cooling;
};

} // namespace velk::screens

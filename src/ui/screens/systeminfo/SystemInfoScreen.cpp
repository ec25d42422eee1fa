#include "ui/screens/systeminfo/SystemInfoScreen.h"

namespace velk::screens {

SystemInfoScreen::SystemInfoScreen(QObject* parent)
    : QObject(parent)
    , m_profile(monitor::SystemInfoService::machineProfile())
    , m_status(monitor::BatteryService::current())
{
    showMachine();
    showStorage();
    showBattery();
    showCooling();
}

void SystemInfoScreen::setMonitor(monitor::SystemMonitor* monitor)
{
    if (m_monitor == monitor)
        return;
    for (auto& connection : m_connections)
        disconnect(connection);
    m_monitor = monitor;
    if (monitor) {
        m_connections[0] = connect(monitor, &monitor::SystemMonitor::uptimeChanged, this, &SystemInfoScreen::showMachine);
        m_connections[1] = connect(monitor, &monitor::SystemMonitor::diskInfoChanged, this, &SystemInfoScreen::showStorage);
        m_connections[2] = connect(monitor, &monitor::SystemMonitor::thermalStatsChanged, this, &SystemInfoScreen::showCooling);
    }
    showMachine();
    showStorage();
    showCooling();
    emit monitorChanged();
}

void SystemInfoScreen::refresh()
{
    m_profile = monitor::SystemInfoService::machineProfile();
    m_status = monitor::BatteryService::current();
    showMachine();
    showBattery();
    if (m_monitor)
        m_monitor->sample();
}

void SystemInfoScreen::showMachine()
{
    m_machine.update(inforows::machine(m_profile, m_monitor ? m_monitor->cpuCores() : 0, m_monitor ? m_monitor->uptime() : 0));
}

void SystemInfoScreen::showStorage()
{
    m_storage.update(inforows::storage(m_monitor ? m_monitor->diskInfo() : monitor::DiskInfo{}));
}

void SystemInfoScreen::showBattery()
{
    const bool had = m_battery.rowCount() > 0;
    m_battery.update(m_status ? inforows::battery(*m_status) : QList<InfoRow>());
    if (had != hasBattery())
        emit hasBatteryChanged();
}

void SystemInfoScreen::showCooling()
{
    const bool had = hasCooling();
    m_cooling.update(m_monitor ? inforows::cooling(m_monitor->thermalStats()) : QList<InfoRow>());
    if (had != hasCooling())
        emit hasCoolingChanged();
}

} // namespace velk::screens

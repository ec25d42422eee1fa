#include "ui/shell/MonitorGate.h"

#include "engine/monitor/SystemMonitor.h"

namespace velk::shell {
namespace {

class SystemMonitorGate final : public MonitorGate {
public:
    explicit SystemMonitorGate(monitor::SystemMonitor& monitor) : m_monitor(monitor) { }
    void setPortsEnabled(bool enabled) override { m_monitor.setPortsEnabled(enabled); }
    void setHeavyEnabled(bool enabled) override { m_monitor.setHeavyEnabled(enabled); }
    void setForeground(bool foreground) override { m_monitor.setForeground(foreground); }

private:
    monitor::SystemMonitor& m_monitor;
};

} // namespace

std::unique_ptr<MonitorGate> MonitorGate::over(monitor::SystemMonitor& monitor)
{
    return std::make_unique<SystemMonitorGate>(monitor);
}

} // namespace velk::shell

#pragma once

#include <memory>

namespace velk::monitor {
class SystemMonitor;
}
namespace velk {
}

namespace velk::shell {

// What the main window switches on the monitoring engine: socket and port
// gathering, the expensive periodic sampling, and whether the application
// is in the foreground.
class MonitorGate {
public:
    virtual ~MonitorGate() = default;
    virtual void setPortsEnabled(bool enabled) = 0;
    virtual void setHeavyEnabled(bool enabled) = 0;
    virtual void setForeground(bool foreground) = 0;

    // The gate over `monitor`, which must outlive it.
    static std::unique_ptr<MonitorGate> over(monitor::SystemMonitor& monitor);
};

} // namespace velk::shell

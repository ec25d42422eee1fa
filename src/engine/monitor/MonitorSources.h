#pragma once

#include "engine/monitor/CPUService.h"
#include "engine/monitor/DiskService.h"
#include "engine/monitor/MemoryService.h"
#include "engine/monitor/ProcessService.h"
#include "engine/sensors/ThermalStats.h"

#include <QHash>
#include <memory>
#include <vector>

namespace velk::monitor {

using ProcessMap = ProcessService::PreviousRows;
using MachPortMap = QHash<qint32, int>;

// Everything the monitor reads about the machine. The default calls the real
// readers; tests hand the monitor a fake. Every reading but coreCount() runs
// on a background thread, so implementations must be safe to call from one.
class MonitorSources {
public:
    virtual ~MonitorSources() = default;

    virtual std::vector<ProcInfo> processes(const ProcessMap& previous) = 0;
    virtual std::vector<SocketEntry> sockets() = 0;
    virtual MachPortMap machPorts() = 0;
    virtual CPUService::HostTicks ticks() = 0;
    virtual MemoryStats memory() = 0;
    virtual DiskInfo disk() = 0;
    virtual double uptime() = 0;
    virtual sensors::ThermalStats thermal() = 0;
    virtual int coreCount() = 0;

    static std::shared_ptr<MonitorSources> createDefault();
};

} // namespace velk::monitor

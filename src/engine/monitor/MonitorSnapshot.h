#pragma once

#include "engine/monitor/MonitorSources.h"

#include <optional>

namespace velk::monitor {

// What one sampling tick gathers off the main thread.
struct MonitorSnapshot {
    std::vector<ProcInfo> processes;
    std::optional<std::vector<SocketEntry>> sockets;   // absent when not gathered
    std::optional<MachPortMap> machPorts;              // absent when not gathered
    CPUService::HostTicks ticks;
    MemoryStats mem;
    DiskInfo disk;
    double uptime = 0.0;
    sensors::ThermalStats thermal;
};

// Reads one snapshot, in a fixed order: processes, sockets, Mach ports, CPU
// ticks, memory, disk, uptime, thermal.
MonitorSnapshot gatherSnapshot(MonitorSources& sources, const ProcessMap& previous, bool withSockets,
                               bool withMachPorts);

} // namespace velk::monitor

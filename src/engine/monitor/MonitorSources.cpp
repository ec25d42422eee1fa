#include "engine/monitor/MonitorSources.h"

#include "engine/sensors/ThermalService.h"

namespace velk::monitor {
namespace {

class MachineSources final : public MonitorSources {
public:
    std::vector<ProcInfo> processes(const ProcessMap& previous) override { return ProcessService::processes(previous); }
    std::vector<SocketEntry> sockets() override { return ProcessService::sockets(); }
    MachPortMap machPorts() override { return ProcessService::machPorts(); }
    CPUService::HostTicks ticks() override { return CPUService::ticks(); }
    MemoryStats memory() override { return MemoryService::currentStats(); }
    DiskInfo disk() override { return DiskService::info(); }
    double uptime() override { return CPUService::uptime(); }
    sensors::ThermalStats thermal() override { return sensors::ThermalService::snapshot(); }
    int coreCount() override { return CPUService::coreCount(); }
};

} // namespace

std::shared_ptr<MonitorSources> MonitorSources::createDefault()
{
    return std::make_shared<MachineSources>();
}

} // namespace velk::monitor

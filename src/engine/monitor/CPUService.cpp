#include "engine/monitor/CPUService.h"

#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"

#include <cmath>

namespace velk::monitor {

namespace {
std::shared_ptr<platform::host::HostProbe> host()
{
    return platform::core::service<platform::host::HostProbe>();
}
} // namespace

CPUService::HostTicks CPUService::ticks()
{
    HostTicks ticks;
    const auto load = host()->processorLoad();
    if (!load)
        return ticks;
    for (const platform::host::CpuLoad& cpu : *load) {
        ticks.user += cpu.user + cpu.nice;
        ticks.system += cpu.system;
        ticks.idle += cpu.idle;
    }
    return ticks;
}

std::vector<CPUService::CoreTicks> CPUService::perCoreTicks()
{
    std::vector<CoreTicks> cores;
    const auto load = host()->processorLoad();
    if (!load)
        return cores;
    cores.reserve(load->size());
    for (const platform::host::CpuLoad& cpu : *load) {
        const std::uint64_t busy = cpu.user + cpu.system + cpu.nice;
        cores.push_back({busy, busy + cpu.idle});
    }
    return cores;
}

int CPUService::coreCount()
{
    return host()->logicalCpuCount().value_or(0);
}

QString CPUService::modelName()
{
    return host()->cpuBrand();
}

double CPUService::uptime()
{
    return host()->uptime();
}

} // namespace velk::monitor
